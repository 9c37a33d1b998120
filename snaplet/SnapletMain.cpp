// snaplet: captures the screen or the window in front and prints it, one
// picture per page, turned, fitted and centred.
//
//   snaplet -screen | -window | -IE  [-gui] [-printer=NAME | -p=NAME]

#include "Snaplet.h"

int wmain(int argc, wchar_t** argv) {
    const int exitCode = RunSnaplet(argc, argv);
    return exitCode;
}
