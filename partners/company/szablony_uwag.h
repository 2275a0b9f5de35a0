#pragma once

class QComboBox;
class QWidget;

// The remark-template buttons of the company editor's invoice tab, without
// the tab itself.
namespace partners::szablony_uwag {

// Opens the remark editor for a new template modally; the new id, or 0 when
// nothing was saved.
int Dodaj(QWidget *owner, int upr);
// Opens the remark editor for the template modally; true when it was saved.
bool Edytuj(QWidget *owner, int id, int upr);
// Deletes the template without asking; true when it is gone. Companies that
// used it are left without one.
bool Usun(int id);
// Reloads the template list: an empty entry (id 0) first, then the names.
int Laduj(QComboBox *combo);

} // namespace partners::szablony_uwag
