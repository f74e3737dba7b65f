// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A channel card as a PDF file, with its fonts embedded.

#include <QPageSize>
#include <QString>

namespace zt {

struct ChannelCard;

enum class CardPaper { A4, Letter };

[[nodiscard]] QPageSize CardPageSize(CardPaper paper);
// Letter where the system's measurement is the US one, A4 elsewhere.
[[nodiscard]] CardPaper LocalCardPaper();

struct CardPdfResult {
    bool ok = false;
    int pages = 0;
    QString error;  // why the file could not be written
};

// Writes the card with 10 mm margins. An existing file at `path` is replaced
// only once the new one is complete, and stays as it was on failure.
[[nodiscard]] CardPdfResult WriteChannelCardPdf(const ChannelCard& card, CardPaper paper,
                                                const QString& path);

}  // namespace zt
