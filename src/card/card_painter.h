// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Draws a channel card on a paged device, a printer or a PDF writer, with the
// page size and margins the device has: the header on the first page, the
// column headings on every page, as many channel rows as fit (64 and more on A4)
// and the page number at the foot. Latin text comes from a plain sans font and
// Chinese from a CJK font, both of which a PDF then carries.

class QPagedPaintDevice;

namespace zt {

struct ChannelCard;

// Returns the number of pages drawn (at least one); 0 when the device cannot
// be painted on.
int PaintChannelCard(const ChannelCard& card, QPagedPaintDevice& device);

}  // namespace zt
