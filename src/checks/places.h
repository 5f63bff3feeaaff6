#pragma once

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <utility>

// The birthplaces of the codice fiscale: every Italian town since 1861 with the periods of
// its name, province and cadastral code, and the foreign states with their "Z" codes, from
// the public tables of the national resident registry (ANPR, CC BY 4.0), compiled in.
namespace tarvola::checks {

// A place's name as it is looked up: capitals without accents, apostrophes as blanks,
// blanks trimmed and single ("Agliè", "AGLIE'" and " aglie " are all "AGLIE").
QString placeKey(QStringView name);

struct Town {
    QString name;     // as the registry writes it, in capitals with accents ("AGLIÈ")
    QString province; // its abbreviation in that period ("TO")
    QString code;     // the cadastral code ("A074")
    QDate from;       // the first day of the period
    QDate to;         // its last day; null while the town exists
    bool validOn(QDate day) const { return from <= day && (to.isNull() || day <= to); }
};

// One name a town has had in one province, for offering towns as a name is typed.
struct TownName {
    QString name;         // as the registry writes it
    QString province;     // the province of the periods with that name
    bool current = false; // one of those periods lasts to this day
};

struct PlaceLookup {
    enum class Kind {
        Found,         // code holds the place's code
        NeedsProvince, // the name is that of several towns: provinces lists theirs
        NotFound,
    };
    Kind kind = Kind::NotFound;
    QString code;
    QStringList provinces;
};

class PlaceTable {
public:
    // The tables as data: towns "CODE\tPROV\tFROM\tTO\tNAME" a line (dates yyyymmdd, TO empty
    // while the town exists), states "CODE\tNAME" a line, and the other names of states
    // "NAME\tCODE" a line ("#" starts a comment).
    PlaceTable(const QByteArray& towns, const QByteArray& states, const QByteArray& otherNames);

    // The tables compiled into the program, read once.
    static const PlaceTable& builtIn();
    // The same tables read anew.
    static PlaceTable fromResources();

    // The code of the town of that name on the day, told apart from others of the same name
    // by the province when there are several (the province the town has had at any time:
    // a person born in Monza in 1980 was born in the province of Milan).
    PlaceLookup town(QStringView name, QStringView province, QDate day) const;

    // The code of the foreign state of that name, or of one of its other names.
    PlaceLookup state(QStringView name) const;

    // The names of towns (of today only, unless withCeased) that begin as typed does,
    // accents, case, apostrophes and blanks aside, in the order of their keys; at most most.
    QList<const TownName*> townsBeginning(QStringView typed, bool withCeased, int most) const;

    const QList<Town>& towns() const { return m_towns; }
    qsizetype stateCount() const { return m_stateCount; }

private:
    QList<Town> m_towns;
    QHash<QString, QList<qsizetype>> m_townsByKey; // indexes into m_towns
    QList<std::pair<QString, TownName>> m_names;   // by key, province and name, once each
    QHash<QString, QStringList> m_provincesByCode; // every province a code has had
    QHash<QString, QString> m_states;              // key of a name → code
    qsizetype m_stateCount = 0;
};

} // namespace tarvola::checks
