#pragma once

#include "ramka/export/print_list.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QTreeWidget;
class QTreeWidgetItem;

// The print column set-up: a tree of the columns with check boxes and
// widths, moved up and down, all checked or unchecked through its popup,
// and the option to remember the choice.
class Tramka_kolumny_wydruku_form : public QDialog
{
    Q_OBJECT
public:
    explicit Tramka_kolumny_wydruku_form(const std::vector<ramka::KolumnaWydruku> &kolumny, QWidget *parent = nullptr);

    std::vector<ramka::KolumnaWydruku> kolumny() const;
    bool zapamietaj() const;

    void wGore();
    void wDol();
    void zaznaczWszystkie(bool zaznacz);

private:
    void dodajWiersz(int pozycja, const ramka::KolumnaWydruku &kolumna);
    void przesun(int kierunek);

    QTreeWidget *m_drzewo;
    QCheckBox *m_zapamietaj;
};

namespace ramka {

// The first step of podgladClick: runs the set-up through the prompter and
// stores or forgets the choice. The columns to print, or nullopt when the
// user cancelled. As the suite does, a choice that is not remembered prints
// the visible grid columns.
std::optional<std::vector<KolumnaEksportu>> wybierzKolumnyWydruku(QWidget *owner, const QString &formularz, int idU,
                                                                  const std::vector<KolumnaWydruku> &kolumnySiatki);

} // namespace ramka
