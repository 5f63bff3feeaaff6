#include "pazienti/placecompleter.h"

#include "checks/places.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>

#include <algorithm>
#include <memory>

namespace tarvola {

namespace {

struct Choice {
    QString key;  // placeKey of the name
    QString name; // as the registry writes it
    QString province;
};

// Every town once per name and province, in the order of their keys.
std::vector<Choice> choices(bool withCeased) {
    std::vector<Choice> out;
    for (const checks::Town& town : checks::PlaceTable::builtIn().towns()) {
        if (withCeased || town.to.isNull())
            out.push_back({checks::placeKey(town.name), town.name, town.province});
    }
    std::sort(out.begin(), out.end(), [](const Choice& a, const Choice& b) {
        return std::tie(a.key, a.province) < std::tie(b.key, b.province);
    });
    out.erase(std::unique(out.begin(), out.end(),
                          [](const Choice& a, const Choice& b) {
                              return a.key == b.key && a.province == b.province && a.name == b.name;
                          }),
              out.end());
    return out;
}

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
    auto table = std::make_shared<std::vector<Choice>>();
    auto shown = std::make_shared<std::vector<const Choice*>>();
    QObject::connect(edit, &QLineEdit::textEdited, completer, [=](const QString& text) {
        const QString key = checks::placeKey(text);
        shown->clear();
        if (key.size() < 2) {
            completer->popup()->hide();
            return;
        }
        if (table->empty())
            *table = choices(withCeased);
        auto it = std::lower_bound(table->cbegin(), table->cend(), key,
                                   [](const Choice& c, const QString& k) { return c.key < k; });
        QStringList lines;
        for (; it != table->cend() && it->key.startsWith(key) && int(lines.size()) < mostShown;
             ++it) {
            shown->push_back(&*it);
            lines << it->name + QStringLiteral(" (") + it->province + QStringLiteral(")");
        }
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
                         const Choice* choice = (*shown)[size_t(row)];
                         picked(choice->name, choice->province);
                     });
}

} // namespace tarvola
