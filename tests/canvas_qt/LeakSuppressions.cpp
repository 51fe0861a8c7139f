// Qt's font setup lets fontconfig keep a few blocks for the life of the process; they are not
// ours to free, so the leak checker is told to ignore them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
