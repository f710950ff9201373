// Leaks that LeakSanitizer must not report in the client's tests: only those of system
// libraries that we cannot free. QtMultimedia's audio device list (a video sink loads it)
// keeps PulseAudio's context until the process ends.
extern "C" const char *__lsan_default_suppressions() {
    return "leak:libpulse.so\n";
}
