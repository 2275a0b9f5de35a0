#pragma once

#include "ramka/actions/usuwanie_watek.h"

class QWidget;

namespace ramka {

// The multi-row delete of a list frame (two or more selected rows): the
// confirmation, the linked-files questions, the deletions on a worker thread
// under the progress window, and the report of what was kept or failed.
// The caller refreshes its list when the result says something was deleted.
//
//   ParametryUsuwania p;
//   p.ids = zaznaczoneIds; p.tabela = "firma"; p.nazwaId = "id_f";
//   p.tabelaCanDel = "firma"; p.wymuszenie = KontekstRamki != 0;
//   TUsuwanie_zaznaczonych usuwanie(p);
//   usuwanie.ustawTabeleSlownie("firma");
//   usuwanie.ustawPytanie(PotwierdzUsuniecieZaznaczonych());
//   const WynikUsuwania w = usuwanie.wykonaj(this, true);
//
// Left empty, the connection target, the user, the language and the
// document store are taken from the host.
class TUsuwanie_zaznaczonych
{
public:
    explicit TUsuwanie_zaznaczonych(ParametryUsuwania parametry);

    // Linked files are looked for in the rows of this table (definicja_tabela); empty: none.
    void ustawTabeleSlownie(const QString &tabelaSlownie) { m_tabelaSlownie = tabelaSlownie; }
    // Asked before deleting when the user started the delete; the default is
    // the translated Resstrings_IDS_Czy_usunac_zaznaczone_pozycje.
    void ustawPytanie(const QString &pytanie) { m_pytanie = pytanie; }

    // Nothing is deleted when the confirmation is not answered yes (potwierdzono false).
    WynikUsuwania wykonaj(QWidget *owner, bool przezUzytkownika = true);
    bool potwierdzono() const { return m_potwierdzono; }

private:
    ParametryUsuwania m_p;
    QString m_tabelaSlownie;
    QString m_pytanie;
    bool m_potwierdzono = false;
};

// The files linked to each of the rows (rows without files are left out).
QHash<int, QList<PlikPowiazany>> plikiPowiazane(db::Connection *polaczenie, const QString &tabelaSlownie,
                                                const QList<int> &ids);
// Resstrings_IDS_czyusunpliki with the paths, then Resstrings_IDS_usunxpliki
// with Resstrings_IDS_CzyKontynuujesz; true only when both are answered yes.
bool zapytajOUsunieciePlikow(QWidget *owner, const QHash<int, QList<PlikPowiazany>> &pliki);
// What the worker kept and why: the PCanDel reasons through the host's
// CzyMoznaUsunac, failures under Resstrings_IDS_Usuniecie_nieudane.
void pokazWynik(QWidget *owner, const WynikUsuwania &wynik);

} // namespace ramka
