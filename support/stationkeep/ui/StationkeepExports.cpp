#include "StationkeepExports.h"

#include <QApplication>

#include "ControllerPassword.h"
#include "DialogMessages.h"
#include "PasswordDlgs.h"
#include "PasswordTexts.h"

namespace {

constexpr std::uint16_t kAccepted = 0;
constexpr std::uint16_t kCancelled = 1;

std::uint16_t Outcome(QDialog& prompt) {
    return prompt.exec() == QDialog::Accepted ? kAccepted : kCancelled;
}

}  // namespace

std::uint16_t Zint_CheckParaPass(std::uint16_t languageIndex) {
    stationkeep::CParaPassDlg prompt(languageIndex, QApplication::activeWindow());
    return Outcome(prompt);
}

std::uint16_t Zint_CheckVendorPass(std::uint16_t languageIndex, std::uint16_t kind, std::uint16_t port,
                                   std::string address) {
    const std::optional<std::string> password = stationkeep::ReadControllerPassword(kind, port, address);
    if (!password) {
        dialogkit::ShowDialogMessage(QApplication::activeWindow(),
                                     stationkeep::CommunicationFailureText(languageIndex));
        return kCancelled;
    }
    stationkeep::CVendorPassDlg prompt(languageIndex, *password, QApplication::activeWindow());
    return Outcome(prompt);
}
