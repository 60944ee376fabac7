#pragma once

#include <QString>

// A new password for a login: asked twice of the person at the terminal without showing it, or, when the
// input is not a terminal, the first line of standard input. Never from the command line.
class PasswordPrompt {
public:
    // Raises a RuntimeError with a sentence when the two answers differ.
    static QString Ask(const QString& login);
};
