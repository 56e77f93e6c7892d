#include "archiver/CommandLine.h"

#include "archiver/AnsiText.h"

namespace {

struct Word {
    std::string text;
    bool quoted = false;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

Status SplitWords(const char* line, std::vector<Word>& words)
{
    const char* p = line;
    for (;;) {
        while (IsBlank(*p)) ++p;
        if (!*p) return Status();
        Word w;
        bool inQuotes = false;
        while (*p && (inQuotes || !IsBlank(*p))) {
            if (*p == '"') {
                if (inQuotes && p[1] == '"') {
                    w.text += '"';
                    p += 2;
                } else {
                    inQuotes = !inQuotes;
                    w.quoted = true;
                    ++p;
                }
                continue;
            }
            const int n = ansi::CharLen(p);
            w.text.append(p, n);
            p += n;
        }
        if (inQuotes) return Status::Fail("unterminated quote in the command line");
        words.push_back(std::move(w));
    }
}

} // namespace

Status ParseCommand(const char* line, ZipCommand& command)
{
    command = ZipCommand();
    if (!line) return Status::Fail("no command line");
    std::vector<Word> words;
    ZIP_TRY(SplitWords(line, words));

    std::vector<std::string> args;
    for (size_t i = 0; i < words.size(); ++i) {
        const Word& w = words[i];
        if (w.quoted || w.text.size() < 2 || w.text[0] != '-') {
            args.push_back(w.text);
            continue;
        }
        for (size_t k = 1; k < w.text.size(); ++k) {
            const char c = w.text[k];
            if (c == 'q') command.quiet = true;
            else if (c == 'r') command.recurse = true;
            else if (c == 'S') command.includeHidden = true;
            else if (c == 'P') {
                command.encrypt = true;
                if (k + 1 < w.text.size()) {
                    command.password = w.text.substr(k + 1);
                } else if (i + 1 < words.size()) {
                    command.password = words[++i].text;
                }
                if (command.password.empty()) return Status::Fail("option -P needs a password");
                break;
            } else {
                return Status::Fail(std::string("unknown option -") + c);
            }
        }
    }

    if (args.empty()) return Status::Fail("no archive given");
    command.archive = args[0];
    size_t first = 1;
    // The base folder is the second word when it ends in a backslash and an item follows.
    if (args.size() >= 2 && ansi::EndsWithBackslash(args[1])) {
        command.base = args[1];
        first = 2;
    }
    for (size_t i = first; i < args.size(); ++i) command.items.push_back(args[i]);
    if (command.archive.empty()) return Status::Fail("no archive given");
    if (command.items.empty()) return Status::Fail("nothing to add: no item given");
    for (const std::string& item : command.items)
        if (item.empty()) return Status::Fail("empty item name");
    return Status();
}
