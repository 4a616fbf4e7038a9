#include "printing/print_commands.h"

#include "common/catalogue.h"
#include "common/messages.h"
#include "exchange/delimited_export_window.h"
#include "exchange/html_export_window.h"
#include "printing/logic/dictionary_layouts.h"
#include "printing/logic/list_layouts.h"
#include "printing/maker_contact.h"
#include "printing/print_choice_window.h"
#include "printing/report_output.h"
#include "widgets/frame_services.h"

#include <functional>

namespace verbalo {

using namespace printing;

namespace {

MakerContact makerOf(FrameServices& frame) {
    return makerContactFor(frame.settings().server);
}

// ChoosePrintOutput and what follows it. html: the HTML export, for the layouts that offer it.
void chooseAndRun(FrameServices& frame, ReportOutput& output, store::Table& table, QWidget* owner,
                  const std::function<void()>& html = {}) {
    QString printer;
    const int choice = choosePrintOutput(frame, printer, bool(html), owner);
    output.usePrinter(printer);
    switch (choice) {
    case Tfrm_NyomValaszt::Preview: output.preview(); break;
    case Tfrm_NyomValaszt::Print: output.print(); break;
    case Tfrm_NyomValaszt::DelimitedExport: openDelimitedExport(frame, table, {}, owner); break;
    case Tfrm_NyomValaszt::HtmlExport:
        if (html) html();
        break;
    default: break;
    }
}

} // namespace

void printBilingualList(FrameServices& frame, const TSzotarak& info, store::Table& table, QWidget* owner) {
    ReportOutput output(frame, bilingualListLayout(info, makerOf(frame)), table, owner);
    chooseAndRun(frame, output, table, owner,
                 [&] { exportHtmlPage(frame, table, bilingualHtmlColumns(info), info.szotarak_nev, owner); });
}

void printHeadwordList(FrameServices& frame, const TSzotarak& info, store::Table& table, QWidget* owner) {
    ReportOutput output(frame, headwordListLayout(info, makerOf(frame)), table, owner);
    chooseAndRun(frame, output, table, owner);
}

void printRecipes(FrameServices& frame, const TSzotarak& info, store::Table& table, bool printNow,
                  const PictureDecoder& decodePicture, QWidget* owner) {
    ReportOutput output(frame, recipeLayout(info, makerOf(frame)), table, owner, decodePicture);
    if (printNow)
        output.print();
    else
        output.preview();
}

void printDictionaryFormat(FrameServices& frame, const TSzotarak& info, store::Table& table, int columns, QWidget* owner) {
    ReportOutput output(frame, dictionaryFormatLayout(info, columns, makerOf(frame)), table, owner);
    output.preview();
}

void printProgramList(FrameServices& frame, store::Table& table, QWidget* owner) {
    const Answer answer = askYesNoCancel(kDescriptionQuestion, QStringLiteral("Kérdés"), owner);
    if (answer == Answer::Cancel) return;
    ReportOutput output(frame, programListLayout(answer == Answer::Yes, makerOf(frame)), table, owner);
    chooseAndRun(frame, output, table, owner);
}

void printDownloadList(FrameServices& frame, store::Table& table, QWidget* owner) {
    ReportOutput output(frame, downloadListLayout(makerOf(frame)), table, owner);
    chooseAndRun(frame, output, table, owner);
}

} // namespace verbalo
