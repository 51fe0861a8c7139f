// fontconfig (through Qt's font setup or the text layer) keeps its configuration for the life
// of the process; it is not ours to free, so the leak checker is told to ignore it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
