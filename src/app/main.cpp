// main.cpp - the program's entry point; the shell does the work.
#include "app/shell.h"

int main() {
    return game_main();
}
