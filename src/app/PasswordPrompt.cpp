#include "app/PasswordPrompt.h"

#include "sdk/RuntimeError.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {

QString ReadLine(bool hidden) {
    termios shown{};
    const bool quiet = hidden && tcgetattr(STDIN_FILENO, &shown) == 0;
    if (quiet) {
        termios silent = shown;
        silent.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
    }
    std::string line;
    std::getline(std::cin, line);
    if (quiet) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &shown);
        std::fputs("\n", stderr);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

} // namespace

QString PasswordPrompt::Ask(const QString& login) {
    if (!isatty(STDIN_FILENO))
        return ReadLine(false);
    std::fprintf(stderr, "Password for %s: ", qPrintable(login));
    std::fflush(stderr);
    const QString first = ReadLine(true);
    std::fputs("The same password again: ", stderr);
    std::fflush(stderr);
    if (ReadLine(true) != first)
        throw RuntimeError(ErrorNumbers::InvalidProcedureCall,
                           QStringLiteral("The two passwords differ; nothing was changed."));
    return first;
}
