#pragma once

#include <QString>

#include <functional>

class QCheckBox;
class QWidget;

namespace tarvola {

// How one record field lives on a form: the text a save stores, how a stored text is
// shown, and what a new card shows.
struct FieldBinding {
    std::function<QString()> text;
    std::function<void(const QString&)> show;
    std::function<void()> clear;

    explicit operator bool() const { return text && show && clear; }
};

// The binding of a text control: an edit, a multi-line edit, an editable combo box or a
// (hidden) label. An empty binding for any other kind of widget.
FieldBinding textBinding(QWidget* control);

// A flag field ("Sì" / "No") shown by a check box: "Sì" ticks it, "No" unticks it, and
// any other stored text leaves it as it was.
FieldBinding checkBoxBinding(QCheckBox* box);

} // namespace tarvola
