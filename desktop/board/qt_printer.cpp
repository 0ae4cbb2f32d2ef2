#include "board/qt_printer.h"

#include <QPageSize>
#include <QPrinter>

namespace veld::desktop {

namespace {

// A printer's dots are this fine; the printed pages' pen widths and fonts are made for it.
constexpr int kPdfResolution = 600;

}  // namespace

QtPrinter::QtPrinter(QPagedPaintDevice& device) : device_(device), page_(painter_, 0, 0) {}

QtPrinter::~QtPrinter() {
    if (painter_.isActive()) painter_.end();
}

Canvas* QtPrinter::beginDocument() {
    if (painter_.isActive()) painter_.end();
    if (const auto* printer = dynamic_cast<const QPrinter*>(&device_);
        printer && !printer->isValid())
        return nullptr;
    if (!painter_.begin(&device_)) return nullptr;
    page_.resize(device_.width(), device_.height());
    return &page_;
}

Canvas& QtPrinter::newPage() {
    if (painter_.isActive()) device_.newPage();
    return page_;
}

void QtPrinter::endDocument() {
    if (painter_.isActive()) painter_.end();
}

bool printToPdf(const QString& file, const std::function<bool(veld::Printer&)>& command) {
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(file);
    device.setResolution(kPdfResolution);
    device.setPageSize(QPageSize(QPageSize::A4));
    QtPrinter printer(device);
    return command(printer);
}

}  // namespace veld::desktop
