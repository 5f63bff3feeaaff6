#include "checks/places.h"

#include "checks/codicefiscale.h"

#include <QFile>

#include <algorithm>
#include <tuple>

namespace tarvola::checks {

namespace {

// "yyyymmdd"; a null date for anything else (an open end).
QDate dayOf(const QByteArray& digits) {
    if (digits.size() != 8)
        return {};
    const auto number = [&digits](int from, int count) {
        int n = 0;
        for (int i = from; i < from + count; ++i)
            n = 10 * n + (digits[i] - '0');
        return n;
    };
    return QDate(number(0, 4), number(4, 2), number(6, 2));
}

// The lines of a table that are neither empty nor comments, split at the tabs.
template <typename Visit> void forEachRow(const QByteArray& table, Visit visit) {
    for (QByteArray line : table.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        visit(line.split('\t'));
    }
}

QByteArray resource(const char* path) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString placeKey(QStringView name) {
    const QString plain = plainCapitals(name);
    QString out;
    out.reserve(plain.size());
    bool blank = false;
    for (QChar c : plain) {
        if (c.isSpace() || c == u'\'' || c == u'\u2019' || c == u'`' || c == u'\u00B4') {
            blank = !out.isEmpty();
            continue;
        }
        if (blank)
            out += u' ';
        blank = false;
        out += c;
    }
    return out;
}

PlaceTable::PlaceTable(const QByteArray& towns, const QByteArray& states,
                       const QByteArray& otherNames) {
    forEachRow(towns, [this](const QList<QByteArray>& cells) {
        if (cells.size() < 5)
            return;
        Town town{QString::fromUtf8(cells[4]), QString::fromUtf8(cells[1]),
                  QString::fromUtf8(cells[0]), dayOf(cells[2]), dayOf(cells[3])};
        QString key = placeKey(town.name);
        m_townsByKey[key].append(m_towns.size());
        m_names.append({std::move(key), {town.name, town.province, town.to.isNull()}});
        QStringList& provinces = m_provincesByCode[town.code];
        if (!provinces.contains(town.province))
            provinces.append(town.province);
        m_towns.append(std::move(town));
    });
    // One entry a name and province; it is current when any of its periods is.
    std::sort(m_names.begin(), m_names.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first, a.second.province, a.second.name) <
               std::tie(b.first, b.second.province, b.second.name);
    });
    const auto same = [](const auto& a, const auto& b) {
        return a.first == b.first && a.second.province == b.second.province &&
               a.second.name == b.second.name;
    };
    QList<std::pair<QString, TownName>> names;
    for (auto& entry : m_names) {
        if (!names.isEmpty() && same(names.last(), entry))
            names.last().second.current = names.last().second.current || entry.second.current;
        else
            names.append(std::move(entry));
    }
    m_names = std::move(names);
    forEachRow(states, [this](const QList<QByteArray>& cells) {
        if (cells.size() < 2)
            return;
        m_states.insert(placeKey(QString::fromUtf8(cells[1])), QString::fromUtf8(cells[0]));
        ++m_stateCount;
    });
    forEachRow(otherNames, [this](const QList<QByteArray>& cells) {
        if (cells.size() >= 2)
            m_states.insert(placeKey(QString::fromUtf8(cells[0])), QString::fromUtf8(cells[1]));
    });
}

PlaceTable PlaceTable::fromResources() {
    return PlaceTable(resource(":/data/comuni.tsv"), resource(":/data/stati.tsv"),
                      resource(":/data/stati_altri_nomi.tsv"));
}

const PlaceTable& PlaceTable::builtIn() {
    static const PlaceTable table = fromResources();
    return table;
}

QList<const TownName*> PlaceTable::townsBeginning(QStringView typed, bool withCeased,
                                                  int most) const {
    const QString key = placeKey(typed);
    QList<const TownName*> out;
    auto it = std::lower_bound(m_names.cbegin(), m_names.cend(), key,
                               [](const auto& entry, const QString& k) { return entry.first < k; });
    for (; it != m_names.cend() && it->first.startsWith(key) && out.size() < most; ++it) {
        if (withCeased || it->second.current)
            out.append(&it->second);
    }
    return out;
}

PlaceLookup PlaceTable::town(QStringView name, QStringView province, QDate day) const {
    const auto found = m_townsByKey.constFind(placeKey(name));
    if (found == m_townsByKey.cend())
        return {};
    // The towns of that name on the day, once each.
    QList<const Town*> candidates;
    for (qsizetype i : *found) {
        const Town& t = m_towns[i];
        if (!t.validOn(day))
            continue;
        const bool again = std::any_of(candidates.cbegin(), candidates.cend(),
                                       [&t](const Town* c) { return c->code == t.code; });
        if (!again)
            candidates.append(&t);
    }
    if (candidates.size() > 1 && !province.trimmed().isEmpty()) {
        const QString wanted = province.trimmed().toString().toUpper();
        QList<const Town*> inProvince;
        for (const Town* t : candidates) {
            if (t->province == wanted || m_provincesByCode.value(t->code).contains(wanted))
                inProvince.append(t);
        }
        if (!inProvince.isEmpty())
            candidates = inProvince;
    }
    if (candidates.isEmpty())
        return {};
    if (candidates.size() == 1)
        return {PlaceLookup::Kind::Found, candidates[0]->code, {candidates[0]->province}};
    PlaceLookup ambiguous{PlaceLookup::Kind::NeedsProvince, {}, {}};
    for (const Town* t : candidates)
        ambiguous.provinces.append(t->province);
    ambiguous.provinces.sort();
    return ambiguous;
}

PlaceLookup PlaceTable::state(QStringView name) const {
    const QString code = m_states.value(placeKey(name));
    if (code.isEmpty())
        return {};
    return {PlaceLookup::Kind::Found, code, {}};
}

} // namespace tarvola::checks
