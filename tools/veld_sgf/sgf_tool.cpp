#include "veld_sgf/sgf_tool.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "go/sgf_collection.h"
#include "protocol/fields.h"

namespace veld::tool {

namespace {

constexpr int kCodePages[] = {950, 936, 949, 932, 874, 437, 65001};

struct CommandLine {
    bool help = false;
    int codePage = 950;
    std::vector<std::string> words;  // the command and its files
    std::string error;               // empty when the command line is well formed
};

std::optional<int> codePageOf(std::string_view text) {
    const int n = toIntDef(text, -1);
    if (std::find(std::begin(kCodePages), std::end(kCodePages), n) == std::end(kCodePages))
        return std::nullopt;
    return n;
}

CommandLine parseCommandLine(std::span<const std::string> args) {
    CommandLine c;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size() && c.error.empty(); ++i) {
        const std::string& a = args[i];
        if (optionsEnd || a == "-" || a.empty() || a[0] != '-') {
            c.words.push_back(a);
        } else if (a == "--") {
            optionsEnd = true;
        } else if (a == "-h" || a == "--help") {
            c.help = true;
        } else if (a == "--codepage" || a.starts_with("--codepage=")) {
            std::string value;
            if (a == "--codepage") {
                if (i + 1 == args.size()) {
                    c.error = "--codepage needs a code page number";
                    break;
                }
                value = args[++i];
            } else {
                value = a.substr(std::string_view("--codepage=").size());
            }
            if (const auto cp = codePageOf(value)) {
                c.codePage = *cp;
            } else {
                c.error = "unsupported code page \"" + value +
                          "\" (use 950, 936, 949, 932, 874, 437 or 65001)";
            }
        } else {
            c.error = "unknown option \"" + a + "\"";
        }
    }
    return c;
}

// The whole file, or the error; "-" is standard input.
std::optional<std::string> readFile(const std::string& path, std::string& error) {
    std::ostringstream bytes;
    if (path == "-") {
        bytes << std::cin.rdbuf();
        return bytes.str();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    bytes << in.rdbuf();
    if (in.bad()) {
        error = "read error";
        return std::nullopt;
    }
    return bytes.str();
}

bool writeFile(const std::string& path, const std::string& text, std::ostream& out,
               std::string& error) {
    if (path == "-") {
        out << text;
        return static_cast<bool>(out.flush());
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    file << text;
    file.close();
    if (!file) {
        error = "write error";
        return false;
    }
    return true;
}

std::string describe(const std::string& file, const SgfGameFailure& f) {
    return file + ": game " + std::to_string(f.game) + ": " + std::to_string(f.at.line) + ":" +
           std::to_string(f.at.column) + ": " + f.reason;
}

int check(std::span<const std::string> files, const SgfReadOptions& options, std::ostream& out,
          std::ostream& err) {
    int status = kSuccess;
    for (const std::string& file : files) {
        std::string error;
        const auto text = readFile(file, error);
        if (!text) {
            err << "veld-sgf: cannot read " << file << ": " << error << "\n";
            status = kFailure;
            continue;
        }
        const SgfCheck result = checkSgfText(*text, options);
        if (result.failures.empty()) continue;
        status = kFailure;
        out << describe(file, result.failures.front());
        if (result.failures.size() > 1)
            out << " (" << result.failures.size() << " of " << result.games << " games fail)";
        out << "\n";
    }
    return status;
}

int convert(std::string_view command, const std::string& in, const std::string& outPath,
            const SgfReadOptions& options, std::ostream& out, std::ostream& err) {
    std::string error;
    const auto text = readFile(in, error);
    if (!text) {
        err << "veld-sgf: cannot read " << in << ": " << error << "\n";
        return kFailure;
    }
    const SgfConversion result = command == "to-sgf" ? convertToStandardSgf(*text, options)
                                                     : convertToRecordSgf(*text, options);
    if (!result.ok()) {
        err << "veld-sgf: " << describe(in, result.failures.front()) << "\n";
        return kFailure;
    }
    if (!writeFile(outPath, result.text, out, error)) {
        err << "veld-sgf: cannot write " << outPath << ": " << error << "\n";
        return kFailure;
    }
    return kSuccess;
}

int usageError(std::ostream& err, const std::string& message) {
    err << "veld-sgf: " << message << "\n" << usageText();
    return kUsage;
}

}  // namespace

std::string usageText() {
    return "usage: veld-sgf [--codepage N] check FILE...\n"
           "       veld-sgf [--codepage N] to-sgf IN OUT\n"
           "       veld-sgf [--codepage N] to-record IN OUT\n"
           "\n"
           "  check      read every game of each file as the client does; print one line for\n"
           "             each file that fails (file: game K: line:column: reason) and exit\n"
           "             with status 1 if any failed\n"
           "  to-sgf     write every game of IN to OUT as standard SGF (FF[4], UTF-8)\n"
           "  to-record  write every game of IN to OUT in the record dialect (UX[1])\n"
           "\n"
           "  --codepage N  read plain files as a system with code page N does: the code page\n"
           "                of files that name no encoding (CA) and are not UTF-8; 950 by\n"
           "                default, or 936, 949, 932, 874, 437, 65001\n"
           "  -h, --help    show this text\n"
           "\n"
           "A file named - is standard input or standard output. Exit status: 0 success,\n"
           "1 a file failed or could not be read or written, 2 a wrong command line.\n";
}

int runSgfTool(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const CommandLine c = parseCommandLine(args);
    if (!c.error.empty()) return usageError(err, c.error);
    if (c.help) {
        out << usageText();
        return kSuccess;
    }
    if (c.words.empty()) return usageError(err, "no command given");
    SgfReadOptions options;
    options.systemCodePage = c.codePage;
    options.fileCodePage = c.codePage;
    const std::string& command = c.words.front();
    const std::span<const std::string> files = std::span(c.words).subspan(1);
    if (command == "check") {
        if (files.empty()) return usageError(err, "check needs at least one file");
        return check(files, options, out, err);
    }
    if (command == "to-sgf" || command == "to-record") {
        if (files.size() != 2)
            return usageError(err, command + " needs an input and an output file");
        return convert(command, files[0], files[1], options, out, err);
    }
    return usageError(err, "unknown command \"" + command + "\"");
}

}  // namespace veld::tool
