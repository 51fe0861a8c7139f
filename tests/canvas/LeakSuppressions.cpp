// The text tool finds its faces through fontconfig, which keeps its configuration
// for the life of the process; it is not ours to free, so the leak checker ignores it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
