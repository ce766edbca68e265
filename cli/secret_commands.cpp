#include "cli/commands.h"

#include "cli/file_errors.h"
#include "cli/text_conversion.h"
#include "platform/file_reader.h"
#include "settings/secret_cipher.h"

#include <optional>
#include <ostream>
#include <unistd.h>

namespace {

// Far more than the longest secret the cipher takes, so that a long one is
// refused for its length and not for the read.
constexpr size_t kMaxSecretInputBytes = 4096;

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

// "-": the first line of standard input, so that the secret never shows in
// the list of processes.
std::optional<std::string> SecretFromStandardInput(std::ostream& err) {
    const platform::CFileBytes read = platform::ReadStream(STDIN_FILENO, kMaxSecretInputBytes);
    if (read.fault != platform::EReadFault::None) {
        err << ReadFailureLine("standard input", read.fault, read.systemError, "secret") << '\n';
        return std::nullopt;
    }
    std::string secret = read.bytes.substr(0, read.bytes.find('\n'));
    if (secret.ends_with('\r')) {
        secret.pop_back();
    }
    return secret;
}

int RunEncrypt(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    auto secretText = OnlyOperand(args);
    if (!secretText) {
        err << kEncryptCommand.usage;
        return kExitUsage;
    }
    if (*secretText == "-") {
        secretText = SecretFromStandardInput(err);
        if (!secretText) {
            return kExitFailure;
        }
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
    "Prints SECRET in the encrypted text form stored in NetworkSetting.ini.\n"
    "With SECRET \"-\" the secret is the first line of standard input, which\n"
    "keeps it out of the list of processes.\n",
    RunEncrypt};

const CCommand kDecryptCommand{
    "decrypt", "print the secret behind an encrypted text form",
    "Usage: quorlan-cli decrypt [--] TEXT\n"
    "Prints the secret that TEXT, an encrypted value from NetworkSetting.ini, holds.\n"
    "Exits 1 when TEXT is not of the encrypted form.\n",
    RunDecrypt};
