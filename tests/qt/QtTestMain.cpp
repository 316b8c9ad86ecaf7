// The Qt ring's tests share one application.
#include "QtTestMain.h"

int main(int argc, char** argv) { return runQtTests(argc, argv); }
