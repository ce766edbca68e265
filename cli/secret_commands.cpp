#include "cli/commands.h"

#include "cli/text_conversion.h"
#include "settings/secret_cipher.h"

#include <optional>
#include <ostream>

namespace {

// The one operand, which may follow "--" so that it can start with a dash.
std::optional<std::string> OnlyOperand(std::span<const std::string> args) {
    if (args.size() == 2 && args[0] == "--") {
        return args[1];
    }
    if (args.size() == 1 && args[0] != "--") {
        return args[0];
    }
    return std::nullopt;
}

int RunEncrypt(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const auto secretText = OnlyOperand(args);
    if (!secretText) {
        err << kEncryptCommand.usage;
        return kExitUsage;
    }
    std::u16string text;
    if (EncryptSecret(Utf8ToWide(*secretText).c_str(), text) != 1) {
        err << "quorlan-cli: the secret is too long to encrypt (at most 480 bytes)\n";
        return kExitFailure;
    }
    out << WideToUtf8(text) << '\n';
    return kExitSuccess;
}

int RunDecrypt(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const auto encrypted = OnlyOperand(args);
    if (!encrypted) {
        err << kDecryptCommand.usage;
        return kExitUsage;
    }
    std::u16string secret;
    if (DecryptSecret(Utf8ToWide(*encrypted).c_str(), secret) != 1) {
        err << "quorlan-cli: not an encrypted secret: it needs 32 hexadecimal digits of IV and "
               "at least one block of 32 more, in whole blocks\n";
        return kExitFailure;
    }
    out << WideToUtf8(secret) << '\n';
    return kExitSuccess;
}

} // namespace

const CCommand kEncryptCommand{
    "encrypt", "print the encrypted text form of a secret",
    "Usage: quorlan-cli encrypt [--] SECRET\n"
    "Prints SECRET in the encrypted text form stored in NetworkSetting.ini.\n",
    RunEncrypt};

const CCommand kDecryptCommand{
    "decrypt", "print the secret behind an encrypted text form",
    "Usage: quorlan-cli decrypt [--] TEXT\n"
    "Prints the secret that TEXT, an encrypted value from NetworkSetting.ini, holds.\n"
    "Exits 1 when TEXT is not of the encrypted form.\n",
    RunDecrypt};
