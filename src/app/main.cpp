// main.cpp - the program's entry point; the shell does the work.
#include "app/shell.h"

#if defined(_WIN32)
// The Windows program is a windowed one (no console) and starts here; its
// arguments are not used. Declared without <windows.h>: OS headers stay
// inside src/platform/.
struct HINSTANCE__;
extern "C" int __stdcall WinMain(HINSTANCE__*, HINSTANCE__*, char*, int) {
    return game_main();
}
#else
int main() {
    return game_main();
}
#endif
