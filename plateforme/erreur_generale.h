#pragma once

// A failure that ends the operation in progress (a number a file holds that
// cannot be converted, a line that cannot be read or written). The command
// level shows it in the general error report and the program carries on.

#include <QString>
#include <stdexcept>

class Erreur_Generale : public std::runtime_error {
public:
    explicit Erreur_Generale(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};
