// The printer of the print commands over Qt's printing: a QPrinter (a printer of the system or a
// PDF file) or any paged device such as a QPdfWriter. Pages are drawn in the device's pixels,
// over its printable area.
#pragma once

#include <QPainter>
#include <QString>
#include <functional>

#include "board/qt_canvas.h"
#include "go/print_layouts.h"

class QPagedPaintDevice;

namespace veld::desktop {

class QtPrinter : public veld::Printer {
  public:
    // device must outlive the printer.
    explicit QtPrinter(QPagedPaintDevice& device);
    // Ends a document still open.
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    // Null when the device is a printer that is not valid (no printer on the machine) or the
    // painter cannot begin on it (a PDF file that cannot be written).
    Canvas* beginDocument() override;
    // Nothing is drawn on the page unless the document was begun.
    Canvas& newPage() override;
    void endDocument() override;

  private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    QtCanvas page_;
};

// Runs command (one of the print commands, given the printer) with a printer that writes an A4
// PDF file at 600 dots per inch to file; returns what the command returns.
bool printToPdf(const QString& file, const std::function<bool(veld::Printer&)>& command);

}  // namespace veld::desktop
