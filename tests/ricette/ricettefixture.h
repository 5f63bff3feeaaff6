#pragma once

// The red prescription editor over a program folder of its own, with the doubles of
// every service, and the few steps the tests repeat.

#include "ricette/tfrmricette.h"
#include "support/fakes.h"
#include "support/widgets.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace tarvola::testing {

struct RicetteFixture : FormAccess {
    RicetteFixture()
        : FormAccess(&window) {}

    QTemporaryDir dir;
    FakeServices fake{dir.path()};
    TfrmRicette window{fake.services};

    QString archive() const { return dir.filePath(QStringLiteral("Archivio_Ricette.pro")); }

    // Shows the window as the launcher does and waits until it has the keyboard.
    bool open() {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    // Types each character into whichever control has the focus at that moment, as a
    // user at the keyboard does.
    void type(const QString& text) {
        for (const QChar c : text)
            typeText(window.focusWidget(), QString(c));
    }
    void press(Qt::Key key) { QTest::keyClick(window.focusWidget(), key); }
    // Whether the toggle shows its ticked picture.
    bool ticked(const QString& stem) {
        auto* on = control<QWidget>(&window, QStringLiteral("btn%1_SI").arg(stem));
        auto* off = control<QWidget>(&window, QStringLiteral("btn%1_NO").arg(stem));
        if (!on || !off)
            return false;
        if (on->isHidden() == off->isHidden())
            QTest::qFail("both pictures of a toggle in the same state", __FILE__, __LINE__);
        return !on->isHidden();
    }
    // The least a card needs to be saved.
    void fillRequired(const QString& name) {
        setText(QStringLiteral("txtAssistito"), name);
        setText(QStringLiteral("txtPresc01"), QStringLiteral("AMOXICILLINA"));
    }
    QByteArray stored() const {
        QFile f(archive());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void store(const QByteArray& bytes) const {
        QFile f(archive());
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            QTest::qFail("cannot write the archive", __FILE__, __LINE__);
    }
};

// A text field as the archive holds it: length byte, Windows-1252 bytes, filler up to
// the capacity. Written by hand here so the tests do not rely on the codec they check.
inline QByteArray storedField(const QByteArray& text, int capacity) {
    QByteArray field(1, static_cast<char>(text.size()));
    field += text;
    field += QByteArray(capacity + 1 - field.size(), '\0');
    return field;
}

// A 2550-byte red prescription with the given fields put at their offsets; its ten flags
// (1014 to 1041) read "No" unless put otherwise.
struct HandCard {
    QByteArray bytes = QByteArray(2550, '\0');
    HandCard() {
        for (int offset = 1014; offset <= 1041; offset += 3)
            put(offset, "No", 2);
    }
    HandCard& put(int offset, const QByteArray& text, int capacity) {
        Q_ASSERT(text.size() <= capacity);
        bytes.replace(offset, capacity + 1, storedField(text, capacity));
        return *this;
    }
    // Bytes exactly as given, length byte included.
    HandCard& raw(int offset, const QByteArray& data) {
        bytes.replace(offset, data.size(), data);
        return *this;
    }
    // A card that can be saved again: patient, first drug, and the date 20/01/24.
    HandCard& named(const QByteArray& patient) {
        put(0, patient, 50).put(227, "FARMACO " + patient, 50);
        for (int i = 0; i < 6; ++i)
            put(778 + 2 * i, QByteArray("200124").mid(i, 1), 1);
        return *this;
    }
};

} // namespace tarvola::testing
