#include "app/event_page.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/images.h"
#include "app/text.h"

namespace veld::desktop {

EventPage::EventPage(EventLog& log, QWidget* parent)
    : QWidget(parent), log_(log), list_(new QTreeWidget(this)) {
    list_->setObjectName(QStringLiteral("eventList"));
    list_->setHeaderLabels({QStringLiteral("Index"), QStringLiteral("Time"), QStringLiteral("From"),
                            QStringLiteral("Rank"), QStringLiteral("Event"),
                            QStringLiteral("Message")});
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* clear = new QPushButton(QStringLiteral("清除"), this);
    auto* hide = new QToolButton(this);
    hide->setIcon(listImage(7));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    buttons->addWidget(hide);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    connect(clear, &QPushButton::clicked, this, [this] { log_.clear(); });
    connect(hide, &QToolButton::clicked, this, &EventPage::hideRequested);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        emit rowDoubleClicked(list_->indexOfTopLevelItem(item));
    });
    log_.setListener([this] { refresh(); });
    refresh();
}

void EventPage::refresh() {
    // Rows are only ever appended or all cleared.
    const auto& rows = log_.rows();
    if (static_cast<int>(rows.size()) < list_->topLevelItemCount()) list_->clear();
    for (std::size_t i = static_cast<std::size_t>(list_->topLevelItemCount()); i < rows.size();
         ++i) {
        const EventRow& r = rows[i];
        auto* item = new QTreeWidgetItem(
            {qs(r.index), qs(r.time), qs(r.from), qs(r.rank), qs(r.event), qs(r.message)});
        item->setCheckState(0, Qt::Unchecked);
        list_->addTopLevelItem(item);
    }
}

}  // namespace veld::desktop
