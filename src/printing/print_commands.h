#pragma once

#include "printing/report_painter.h"

class QWidget;

// The print commands of the dictionary windows and of the two catalogue list windows. Each
// makes its layout over the window's open table, read in its current order, and lets the user
// choose what becomes of it; nothing is remembered between calls.
namespace verbalo {

class FrameServices;
struct TSzotarak;

namespace store {
class Table;
}

// The list of word pairs, its left column the window's order (info.sorrend). HTML is offered.
void printBilingualList(FrameServices& frame, const TSzotarak& info, store::Table& table, QWidget* owner);
void printHeadwordList(FrameServices& frame, const TSzotarak& info, store::Table& table, QWidget* owner);
// printNow: at once on the default printer (into a chosen PDF file when none is installed),
// with no choice window; otherwise the preview.
void printRecipes(FrameServices& frame, const TSzotarak& info, store::Table& table, bool printNow,
                  const printing::PictureDecoder& decodePicture, QWidget* owner);
// The preview of the dictionary format in 2, 3 or 4 columns.
void printDictionaryFormat(FrameServices& frame, const TSzotarak& info, store::Table& table, int columns, QWidget* owner);
// The programs list asks first whether the descriptions are to be printed too.
void printProgramList(FrameServices& frame, store::Table& table, QWidget* owner);
void printDownloadList(FrameServices& frame, store::Table& table, QWidget* owner);

} // namespace verbalo
