// The window tests act as a host that runs Qt itself.
#include "QtTestMain.h"

int main(int argc, char** argv) { return runQtTests(argc, argv); }
