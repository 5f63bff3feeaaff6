#include "pazienti/placecompleter.h"

#include "checks/places.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>

#include <memory>

namespace tarvola {

namespace {

constexpr int mostShown = 60;

} // namespace

void attachPlaceCompleter(
    QLineEdit* edit, bool withCeased,
    std::function<void(const QString& name, const QString& province)> picked) {
    auto* model = new QStringListModel(edit);
    auto* completer = new QCompleter(model, edit);
    // Not the edit's own completer: that one would write each highlighted line into it.
    completer->setWidget(edit);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer->setMaxVisibleItems(12);
    auto shown = std::make_shared<QList<const checks::TownName*>>();
    QObject::connect(edit, &QLineEdit::textEdited, completer, [=](const QString& text) {
        if (checks::placeKey(text).size() < 2)
            shown->clear();
        else
            *shown = checks::PlaceTable::builtIn().townsBeginning(text, withCeased, mostShown);
        QStringList lines;
        for (const checks::TownName* town : *shown)
            lines << town->name + QStringLiteral(" (") + town->province + QStringLiteral(")");
        model->setStringList(lines);
        if (lines.isEmpty())
            completer->popup()->hide();
        else
            completer->complete();
    });
    QObject::connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), edit,
                     [=](const QModelIndex& index) {
                         const int row = index.row();
                         if (row < 0 || row >= int(shown->size()))
                             return;
                         const checks::TownName* town = shown->at(row);
                         picked(town->name, town->province);
                     });
}

} // namespace tarvola
