// main.cpp - the program's entry point; the shell does the work.
#include "app/shell.h"

int main() {
    return game_main();
}

#if defined(_WIN32)
// A Windows build linked as a windowed program (no console) starts here.
// Declared without <windows.h>: OS headers stay inside src/platform/.
struct HINSTANCE__;
extern "C" int __stdcall WinMain(HINSTANCE__*, HINSTANCE__*, char*, int) {
    return game_main();
}
#endif
