/* Linked into sanitizer builds only. Mesa and LLVM are unloaded at exit,
 * after which LeakSanitizer can no longer read their symbols and reports
 * their static allocations as leaks. Keeping every library mapped until
 * the process ends removes those false reports. */
int dlclose(void *handle) {
    (void)handle;
    return 0;
}
