#include "checks/identifiers.h"

#include "platform/text.h"

#include <algorithm>
#include <array>

namespace tarvola::checks {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int digitValue(QChar c) {
    return c.unicode() - u'0';
}

// Codice fiscale -------------------------------------------------------------------------

// Values of the characters "0" to "Z" (codes 48 to 90). In odd positions the digits count
// as the letter of the same rank ("0" as "A", "1" as "B", ...); the seven marks between
// "9" and "A" count 0 in both tables.
constexpr char16_t firstTableChar = u'0';
constexpr char16_t lastTableChar = u'Z';
constexpr std::array<int, 26> oddLetterValues = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                                 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

std::optional<int> codiceFiscaleValue(QChar c, bool oddPosition) {
    const char16_t u = c.unicode();
    if (u < firstTableChar || u > lastTableChar)
        return std::nullopt;
    if (u <= u'9')
        return oddPosition ? oddLetterValues[u - u'0'] : u - u'0';
    if (u < u'A')
        return 0;
    return oddPosition ? oddLetterValues[u - u'A'] : u - u'A';
}

// Payment card -------------------------------------------------------------------------

struct CardGroup {
    const char* prefix;
    const char* type;
};

// Numbers beginning with 3 are told apart by their first two characters.
constexpr CardGroup cardGroupsOfThree[] = {
    {"30", "Diner's Club / Carte Blanche"},
    {"36", "Diner's Club / Carte Blanche"},
    {"38", "Diner's Club / Carte Blanche"},
    {"34", "American Express"},
    {"37", "American Express"},
    {"31", "JCB"},
    {"33", "JCB"},
    {"35", "JCB"},
};

// IBAN ---------------------------------------------------------------------------------

// Reads a text of digits as a whole number; anything else (a sign included) fails.
std::optional<qint64> readDigits(QStringView text) {
    if (text.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + digitValue(c);
    }
    return value;
}

} // namespace

std::optional<QChar> codiceFiscaleCheckChar(QStringView code) {
    if (code.size() < 15)
        return std::nullopt;
    int sum = 0;
    for (qsizetype i = 0; i < 15; ++i) {
        // Positions are counted from 1, so index 0 is the first odd position.
        const auto value = codiceFiscaleValue(code[i], i % 2 == 0);
        if (!value)
            return std::nullopt;
        sum += *value;
    }
    return QChar(u'A' + sum % 26);
}

bool isValidCodiceFiscale(QStringView code) {
    if (code.size() != 16)
        return false;
    const auto expected = codiceFiscaleCheckChar(code);
    return expected && *expected == code[15];
}

int partitaIvaCheckDigit(QStringView firstTen) {
    int total = 0;
    for (qsizetype i = 0; i < 10 && i < firstTen.size(); ++i) {
        const int digit = digitValue(firstTen[i]);
        if (i % 2 == 0) {
            total += digit;
        } else {
            const int doubled = 2 * digit;
            total += doubled >= 10 ? doubled - 9 : doubled;
        }
    }
    return (10 - total % 10) % 10;
}

bool isValidPartitaIva(QStringView number) {
    if (number.size() != 11 || !std::all_of(number.begin(), number.end(), isDigit))
        return false;
    return partitaIvaCheckDigit(number.first(10)) == digitValue(number[10]);
}

const QList<IvaOffice>& ivaOffices() {
    static const QList<IvaOffice> table = [] {
        static constexpr struct {
            const char* code;
            const char* name;
        } rows[] = {
            {"001", "Torino"},
            {"002", "Vercelli"},
            {"003", "Novara"},
            {"004", "Cuneo"},
            {"005", "Asti"},
            {"006", "Alessandria"},
            {"007", "Aosta"},
            {"008", "Imperia"},
            {"009", "Savona"},
            {"010", "Genova 1"},
            {"011", "La Spezia"},
            {"012", "Varese"},
            {"013", "Como"},
            {"014", "Sondrio"},
            {"015", "Milano 1"},
            {"016", "Bergamo"},
            {"017", "Brescia 1"},
            {"018", "Pavia"},
            {"019", "Cremona"},
            {"020", "Mantova"},
            {"021", "Bolzano"},
            {"022", "Trento"},
            {"023", "Verona"},
            {"024", "Vicenza"},
            {"025", "Belluno"},
            {"026", "Treviso"},
            {"027", "Venezia"},
            {"028", "Padova"},
            {"029", "Rovigo"},
            {"030", "Udine"},
            {"031", "Gorizia"},
            {"032", "Trieste"},
            {"033", "Piacenza"},
            {"034", "Parma"},
            {"035", "Reggio Emilia"},
            {"036", "Modena"},
            {"037", "Bologna 1"},
            {"038", "Ferrara"},
            {"039", "Ravenna"},
            {"040", "Forlì"},
            {"041", "Pesaro"},
            {"042", "Ancona"},
            {"043", "Macerata"},
            {"044", "Ascoli Piceno"},
            {"045", "Massa Carrara"},
            {"046", "Lucca"},
            {"047", "Pistoia"},
            {"048", "Firenze 1"},
            {"049", "Livorno"},
            {"050", "Pisa"},
            {"051", "Arezzo"},
            {"052", "Siena"},
            {"053", "Grosseto"},
            {"054", "Perugia"},
            {"055", "Terni"},
            {"056", "Viterbo"},
            {"057", "Rieti"},
            {"058", "Roma 1"},
            {"059", "Latina"},
            {"060", "Frosinone"},
            {"061", "Caserta"},
            {"062", "Benevento"},
            {"063", "Napoli 1"},
            {"064", "Avellino"},
            {"065", "Salerno"},
            {"066", "Aquila"},
            {"067", "Teramo"},
            {"068", "Pescara"},
            {"069", "Chieti"},
            {"070", "Campobasso"},
            {"071", "Foggia"},
            {"072", "Bari"},
            {"073", "Taranto"},
            {"074", "Brindisi"},
            {"075", "Lecce"},
            {"076", "Potenza"},
            {"077", "Matera"},
            {"078", "Cosenza"},
            {"079", "Catanzaro"},
            {"080", "Reggio Calabria"},
            {"081", "Trapani"},
            {"082", "Palermo"},
            {"083", "Messina"},
            {"084", "Agrigento"},
            {"085", "Caltanissetta"},
            {"086", "Enna"},
            {"087", "Catania"},
            {"088", "Ragusa"},
            {"089", "Siracusa"},
            {"090", "Sassari"},
            {"091", "Nuoro"},
            {"092", "Cagliari"},
            {"093", "Pordenone"},
            {"094", "Isernia"},
            {"095", "Oristano"},
            {"096", "Monza (Milano 2)"},
            {"097", "Prato (Firenze 2)"},
            {"098", "Brescia 2"},
            {"099", "Chiavari (Genova 2)"},
            {"100", "Roma 2"},
            {"101", "Bologna 2"},
            {"102", "Napoli 2"},
            {"120", "Bologna 2"},
            {"121", "Napoli 2"},
        };
        QList<IvaOffice> list;
        for (const auto& row : rows)
            list.append({QString::fromLatin1(row.code), QString::fromUtf8(row.name)});
        return list;
    }();
    return table;
}

QString ivaOfficeName(QStringView code) {
    for (const IvaOffice& office : ivaOffices()) {
        if (office.code == code)
            return office.name;
    }
    return QString();
}

std::optional<int> cardLeadingDigit(QStringView text) {
    QString digits;
    for (const QChar c : text.first(std::min<qsizetype>(20, text.size()))) {
        if (isDigit(c))
            digits.append(c);
    }
    if (digits.isEmpty())
        return std::nullopt;
    int sum = 0;
    bool doubled = true; // the digit just before the check digit is doubled
    for (qsizetype i = digits.size() - 2; i >= 0; --i, doubled = !doubled) {
        int value = digitValue(digits[i]);
        if (doubled) {
            value *= 2;
            if (value >= 10)
                value -= 9;
        }
        sum += value;
    }
    const int expected = (10 - sum % 10) % 10;
    if (expected != digitValue(digits.back()))
        return std::nullopt;
    return digitValue(digits.front());
}

CardVerdict judgeCard(const QString& text) {
    const auto leading = cardLeadingDigit(text);
    if (!leading)
        return {};
    switch (*leading) {
    case 3: {
        const QString firstTwo = trimText(text).left(2);
        for (const CardGroup& group : cardGroupsOfThree) {
            if (firstTwo == QLatin1String(group.prefix))
                return {CardVerdict::Kind::Named, QString::fromLatin1(group.type)};
        }
        return {CardVerdict::Kind::Unnamed, QString()};
    }
    case 4:
        return {CardVerdict::Kind::Named, QStringLiteral("Visa")};
    case 5:
        return {CardVerdict::Kind::Named, QStringLiteral("MasterCard")};
    case 6:
        return {CardVerdict::Kind::Named, QStringLiteral("Discover")};
    default:
        return {};
    }
}

int ibanRemainder(QStringView text) {
    QString compact = upperAZ(text.toString());
    compact.remove(u' ');
    const qsizetype prefix = compact.indexOf(QLatin1String("IBAN"));
    if (prefix >= 0)
        compact.remove(prefix, 4);
    compact = compact.mid(4) + compact.left(4);

    QString digits;
    for (const QChar c : compact) {
        if (c >= u'A' && c <= u'Z')
            digits += QString::number(c.unicode() - u'A' + 10);
        else
            digits.append(c); // anything but a digit fails the reading below
    }

    // Nine digits at a time: the carried remainder (at most two digits) followed by as
    // many new digits as fit.
    int remainder = 0;
    QString carried;
    qsizetype chunk = 9;
    qsizetype at = 0;
    while (at < digits.size()) {
        carried += QStringView(digits).mid(at, chunk);
        const auto value = readDigits(carried);
        if (!value)
            return 0;
        remainder = static_cast<int>(*value % 97);
        at += chunk;
        carried = QString::number(remainder);
        chunk = 9 - carried.size();
    }
    return remainder;
}

} // namespace tarvola::checks
