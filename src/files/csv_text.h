// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comma-separated text as spreadsheets and other radio tools write it: fields
// separated by commas (or another separator, such as the tab of text copied
// from a spreadsheet), a field in double quotes may hold separators, line
// breaks and doubled quotes, lines end in CR LF or LF.

#include <string>
#include <string_view>
#include <vector>

namespace zt {

struct CsvRecord {
    int line = 0;  // the line the record starts on, counted from 1
    std::vector<std::string> fields;

    // True when every field is empty (a blank line or a row of commas).
    [[nodiscard]] bool Blank() const;
};

struct CsvParse {
    std::vector<CsvRecord> records;
    std::string error;  // empty when the whole text was read
    int errorLine = 0;
};

// Splits a text into records. Blanks and tabs at either end of a field are
// dropped unless they stand inside quotes. A byte-order mark at the start is
// skipped. A quote left open at the end of the text is an error (records read
// before it are kept).
[[nodiscard]] CsvParse ParseCsvText(std::string_view text, char separator = ',');

// One field as it must be written: quoted when it holds a comma, a quote, a
// line break or blanks at either end.
[[nodiscard]] std::string CsvField(std::string_view value);
// A whole line of fields, ended by CR LF.
[[nodiscard]] std::string CsvLine(const std::vector<std::string>& fields);

}  // namespace zt
