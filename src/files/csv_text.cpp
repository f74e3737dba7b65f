// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/csv_text.h"

#include <algorithm>

namespace zt {

bool CsvRecord::Blank() const {
    return std::all_of(fields.begin(), fields.end(), [](const std::string& f) {
        return f.find_first_not_of(" \t") == std::string::npos;
    });
}

CsvParse ParseCsvText(std::string_view text, char separator) {
    CsvParse out;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

    int line = 1;
    std::size_t i = 0;
    while (i < text.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool quoted = false;
        bool endOfRecord = false;
        // Blanks and tabs outside quotes go at either end of a field: `kept`
        // is the length up to its last character that is not one of them.
        std::size_t kept = 0;
        auto endField = [&] {
            field.resize(kept);
            record.fields.push_back(std::move(field));
            field.clear();
            kept = 0;
        };
        while (!endOfRecord) {
            if (i >= text.size()) {
                if (quoted) {
                    out.error = "a quoted field is not closed";
                    out.errorLine = record.line;
                    return out;
                }
                break;
            }
            const char c = text[i];
            if (quoted) {
                if (c == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        kept = field.size();
                        i += 2;
                    } else {
                        quoted = false;
                        ++i;
                    }
                    continue;
                }
                if (c == '\n') ++line;
                field += c;
                kept = field.size();
                ++i;
                continue;
            }
            if (c == separator) {
                endField();
                ++i;
                continue;
            }
            switch (c) {
                case '"':
                    quoted = true;
                    ++i;
                    break;
                case '\r':
                    ++i;
                    if (i < text.size() && text[i] == '\n') ++i;
                    ++line;
                    endOfRecord = true;
                    break;
                case '\n':
                    ++i;
                    ++line;
                    endOfRecord = true;
                    break;
                default:
                    if ((c != ' ' && c != '\t') || kept > 0) field += c;
                    if (c != ' ' && c != '\t') kept = field.size();
                    ++i;
                    break;
            }
        }
        endField();
        out.records.push_back(std::move(record));
    }
    return out;
}

std::string CsvField(std::string_view value) {
    const bool needsQuotes = value.find_first_of(",\"\r\n") != std::string_view::npos ||
                             (!value.empty() && (value.front() == ' ' || value.back() == ' '));
    if (!needsQuotes) return std::string(value);
    std::string out = "\"";
    for (const char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) line += ',';
        line += CsvField(fields[k]);
    }
    line += "\r\n";
    return line;
}

}  // namespace zt
