#include "cli/commands.h"

#include "cli/file_errors.h"
#include "platform/codepage.h"
#include "platform/file_reader.h"
#include "platform/utf8_text.h"
#include "settings/secret_cipher.h"
#include "settings/validation_rules.h"

#include <cerrno>
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
// the list of processes. Read a byte at a time: what follows the line is
// left for others, and a terminal needs only Enter.
std::optional<std::string> SecretFromStandardInput(std::ostream& err) {
    std::string line;
    char byte = 0;
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, &byte, 1);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            err << ReadFailureLine("standard input", platform::EReadFault::Unreadable, errno,
                                   "secret")
                << '\n';
            return std::nullopt;
        }
        if (got == 0 || byte == '\n') {
            break;
        }
        if (line.size() == kMaxSecretInputBytes) {
            err << ReadFailureLine("standard input", platform::EReadFault::TooLarge, 0, "secret")
                << '\n';
            return std::nullopt;
        }
        line.push_back(byte);
    }
    if (line.ends_with('\r')) {
        line.pop_back();
    }
    if (line.find('\0') != std::string::npos || !IsUtf8(line)) {
        err << "quorlan-cli: the secret on standard input is not UTF-8 text without NUL "
               "characters\n";
        return std::nullopt;
    }
    return line;
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
    const std::u16string secret = Utf8ToWide(*secretText);
    if (!IsHeldByTheOemCodePage(secret)) {
        err << "quorlan-cli: the secret has a character that code page " << platform::GetOEMCP()
            << ", in which it is stored, cannot hold\n";
        return kExitFailure;
    }
    std::u16string text;
    if (EncryptSecret(secret.c_str(), text) != 1) {
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
