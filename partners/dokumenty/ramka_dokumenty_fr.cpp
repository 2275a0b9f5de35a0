#include "dokumenty/ramka_dokumenty_fr.h"

#include "dokumenty/pole_daty.h"
#include "dokumenty/ramka_koszty_fr.h"
#include "ramka/edycja/zapis_procedury.h"
#include "ramka/modul.h"
#include "ramka/terminarz/ramka_terminarz_fr.h"
#include "ramka/zaloga_pojazdu.h"

#include "connection.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "query.h"
#include "services.h"
#include "text_fields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

using partners::tlumacz;

namespace {

// The chosen entry's id; null below `pierwszy` (the index of the first real entry).
QVariant idLubNull(const QComboBox *pole, int pierwszy = 1)
{
    return pole->currentIndex() < pierwszy ? QVariant() : QVariant(host::ZwrocWartoscCombo(pole));
}

void wybierz(QComboBox *pole, const QVariant &id)
{
    if (id.isNull() || !host::UstawWartoscCombo(pole, id.toInt()))
        pole->setCurrentIndex(pole->count() > 0 && pole->itemData(0).toInt() == 0 ? 0 : -1);
}

} // namespace

Tramka_dokumenty_frame::Tramka_dokumenty_frame(QWidget *parent)
    : QWidget(parent),
      m_rodzaj(lista("rodzaj_dok")),
      m_status(lista("e_status")),
      m_miejsce(lista("d_wyd_w")),
      m_kierowca(lista("e_kierowca")),
      m_pojazd(lista("e_pojazd")),
      m_zlecenie(lista("e_zlecenie")),
      m_karta(lista("e_karta")),
      m_faktura(lista("e_faktura")),
      m_delegacja(lista("e_delegacja")),
      m_firma(lista("e_firma")),
      m_numer(new QLineEdit(this)),
      m_ktoWyd(new QLineEdit(this)),
      m_wazOd(new PoleDaty("d_waz_od", this)),
      m_wazDo(new PoleDaty("d_waz_do", this)),
      m_dnia(new PoleDaty("d_dnia", this)),
      m_dataWyd(new PoleDaty("e_data_wyd", this)),
      m_dataZwrotu(new PoleDaty("e_data_zwrotu", this)),
      m_uwagi(new QPlainTextEdit(this)),
      m_terminarz(new Tramka_terminarz_frame(this)),
      m_koszt(new Tramka_koszty_frame(this)),
      m_zaloga(new ramka::ZalogaPojazdu(m_pojazd, m_kierowca, nullptr, nullptr, this))
{
    setObjectName(QStringLiteral("ramka_dok"));
    m_numer->setObjectName(QStringLiteral("numer_seria"));
    ui::limitLength(m_numer, 30);
    m_ktoWyd->setObjectName(QStringLiteral("d_wyd_przez"));
    ui::limitLength(m_ktoWyd, 50);
    m_uwagi->setObjectName(QStringLiteral("d_uwagi"));

    auto *uklad = new QFormLayout(this);
    const auto wiersz = [&](const char *klucz, QWidget *pole) { uklad->addRow(tlumacz(klucz), pole); };
    wiersz("Resstrings_IDS_Dok_Rodzaj", m_rodzaj);
    wiersz("Resstrings_IDS_Dok_Numer", m_numer);
    wiersz("Resstrings_IDS_Dok_Status", m_status);
    wiersz("Resstrings_IDS_Dok_Wazny_od", m_wazOd);
    wiersz("Resstrings_IDS_Dok_Wazny_do", m_wazDo);
    uklad->addRow(QString(), m_terminarz);
    wiersz("Resstrings_IDS_Dok_Data_wyd", m_dnia);
    wiersz("Resstrings_IDS_Dok_Miejsce_wyd", m_miejsce);
    wiersz("Resstrings_IDS_Dok_Kto_wyd", m_ktoWyd);
    wiersz("Resstrings_IDS_Dok_Kierowca", m_kierowca);
    wiersz("Resstrings_IDS_Dok_Data_wyd_kier", m_dataWyd);
    wiersz("Resstrings_IDS_Dok_Data_zw_kier", m_dataZwrotu);
    wiersz("Resstrings_IDS_Dok_Pojazd", m_pojazd);
    wiersz("Resstrings_IDS_Dok_Zlecenie", m_zlecenie);
    wiersz("Resstrings_IDS_Dok_Karta", m_karta);
    wiersz("Resstrings_IDS_Dok_Faktura", m_faktura);
    wiersz("Resstrings_IDS_Dok_Delegacja", m_delegacja);
    wiersz("Resstrings_IDS_Firma2", m_firma);
    wiersz("Resstrings_IDS_ListaPUwagi", m_uwagi);

    connect(m_wazOd, &QDateEdit::dateChanged, this, [this](const QDate &od) {
        if (!m_wazOd->pusta() && !m_wazDo->pusta() && od > m_wazDo->date())
            m_wazDo->setDate(od);
    });
    connect(m_wazDo, &QDateEdit::dateChanged, this, [this] { odswiezTerminarz(); });
    m_terminarz->DodajTermin = [this] { dodajTerminZPrzycisku(); };
}

QComboBox *Tramka_dokumenty_frame::lista(const char *nazwa)
{
    auto *pole = new QComboBox(this);
    pole->setObjectName(QLatin1String(nazwa));
    return pole;
}

QList<QWidget *> Tramka_dokumenty_frame::pola() const
{
    return {m_rodzaj,  m_numer,      m_status, m_wazOd,    m_wazDo, m_dnia,    m_miejsce,   m_ktoWyd, m_kierowca,
            m_dataWyd, m_dataZwrotu, m_pojazd, m_zlecenie, m_karta, m_faktura, m_delegacja, m_firma,  m_uwagi};
}

void Tramka_dokumenty_frame::WypelnijListy(int idFirmy)
{
    const QVariantMap jezyk{{QStringLiteral("id_jezyka"), host::GetLanguage()}};
    const QVariantMap uzytkownik{{QStringLiteral("id_u"), host::AktIdU()},
                                 {QStringLiteral("id_wystawil"), host::var::AktywnaFirma.get()}};
    QVariantMap pojazdy = uzytkownik;
    pojazdy.insert(jezyk);
    const auto laduj = [](QComboBox *pole, const QString &sql, const char *tekst, bool pusty, const QVariantMap &p) {
        host::Laduj_DB_FlatCombo(pole, sql, QStringLiteral("id"), QLatin1String(tekst), pusty, nullptr, p);
    };
    laduj(m_rodzaj,
          QStringLiteral("select id, case when wartosc2 <> '' then wartosc1 || ' (' || wartosc2 || ')' else wartosc1 "
                         "end as nazwa from VListaPozSlownika2 where typ_slownika = 'dokument_rodzaj' "
                         "and id_jezyka = :id_jezyka order by ")
              + host::collated(QStringLiteral("wartosc1")),
          "nazwa", true, jezyk);
    laduj(m_status,
          QStringLiteral("select id, wartosc from VListaPozSlownika where typ_slownika = 'dokument_status' "
                         "and id_jezyka = :id_jezyka order by ")
              + host::collated(QStringLiteral("wartosc")),
          "wartosc", false, jezyk);
    // One entry per city: the place of issue is its name.
    laduj(m_miejsce,
          QStringLiteral("select distinct id, miasto from VListaMiast where id_jezyka = :id_jezyka order by ")
              + host::collated(QStringLiteral("miasto")),
          "miasto", false, jezyk);
    laduj(m_kierowca,
          QStringLiteral("select * from VListaKier order by ") + host::collated(QStringLiteral("nazwisko_imie")),
          "nazwisko_imie", true, {});
    laduj(m_pojazd,
          QStringLiteral("select * from VListaSam where id_jezyka = :id_jezyka and id_f = :id_wystawil "
                         "and id_u = :id_u order by nr_rej"),
          "nr_rej", true, pojazdy);
    laduj(m_zlecenie,
          QStringLiteral("select * from VListaZlecRealiz where id_wystawil = :id_wystawil and id_u_aktywny = :id_u "
                         "order by data_utworzenia desc"),
          "nr_pelny", true, uzytkownik);
    laduj(m_karta, QStringLiteral("select * from VListaKart where id_u = :id_u order by nr_karty"), "nr_karty", true,
          {{QStringLiteral("id_u"), host::AktIdU()}});
    laduj(m_delegacja,
          QStringLiteral("select * from vlistadelegacji where id_wystawil = :id_wystawil and id_u = :id_u "
                         "order by data_od desc"),
          "numer_wyjazdu", true, uzytkownik);
    laduj(m_faktura,
          QStringLiteral("select id_fv as id, nr_pelny from faktura where (id_wystawil = :id_wystawil or id_f = :id_f) "
                         "order by data_wyst desc"),
          "nr_pelny", true,
          {{QStringLiteral("id_wystawil"), host::var::AktywnaFirma.get()}, {QStringLiteral("id_f"), idFirmy}});
    laduj(m_firma,
          QStringLiteral("select id, nazwa from VlistaFirm order by ") + host::collated(QStringLiteral("nazwa")),
          "nazwa", true, {});
    m_koszt->WypelnijListy();
}

void Tramka_dokumenty_frame::Wyczysc(int idKierowcy, int idPojazdu, int idFirmy)
{
    m_id = 0;
    m_wykonany = false;
    m_uwagiWczytane.clear();
    for (QComboBox *pole :
         {m_rodzaj, m_status, m_miejsce, m_kierowca, m_pojazd, m_zlecenie, m_karta, m_faktura, m_delegacja, m_firma})
        wybierz(pole, QVariant());
    for (QLineEdit *pole : {m_numer, m_ktoWyd})
        pole->clear();
    for (PoleDaty *pole : {m_wazOd, m_wazDo, m_dnia, m_dataWyd, m_dataZwrotu})
        pole->wyczysc();
    m_uwagi->clear();
    // The owner the list shows is the new document's owner.
    wybierz(m_kierowca, idKierowcy > 0 ? QVariant(idKierowcy) : QVariant());
    wybierz(m_pojazd, idPojazdu > 0 ? QVariant(idPojazdu) : QVariant());
    wybierz(m_firma, idFirmy > 0 ? QVariant(idFirmy) : QVariant());
    m_koszt->Wczytaj(0);
    odswiezTerminarz();
}

void Tramka_dokumenty_frame::Wczytaj(int idDokumentu)
{
    db::Query q(host::GetConnection(),
                QStringLiteral("select * from vlistadokument where id = :id and id_jezyka = :id_jezyka"));
    q.parameters().setValue(QStringLiteral("id"), idDokumentu);
    q.parameters().setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    q.open();
    if (q.isEmpty())
        return; // deleted meanwhile: the save says so
    m_id = idDokumentu;
    wybierz(m_rodzaj, q.value(QStringLiteral("rodzaj")));
    wybierz(m_status, q.value(QStringLiteral("id_status")));
    m_numer->setText(q.value(QStringLiteral("numer")).toString());
    m_ktoWyd->setText(q.value(QStringLiteral("kto_wyd")).toString());
    m_wazOd->ustaw(q.value(QStringLiteral("wazny_od")));
    m_wazDo->ustaw(q.value(QStringLiteral("wazny_do")));
    m_dnia->ustaw(q.value(QStringLiteral("data_wyd")));
    m_dataWyd->ustaw(q.value(QStringLiteral("data_wyd_kier")));
    m_dataZwrotu->ustaw(q.value(QStringLiteral("data_zw_kier")));
    // A place typed elsewhere that is no city of the list stays what it was.
    const QString miejsce = q.value(QStringLiteral("miejsce_wyd")).toString();
    if (!miejsce.isEmpty() && m_miejsce->findText(miejsce) < 0)
        m_miejsce->addItem(miejsce, 0);
    m_miejsce->setCurrentIndex(miejsce.isEmpty() ? -1 : m_miejsce->findText(miejsce));
    wybierz(m_kierowca, q.value(QStringLiteral("id_k")));
    wybierz(m_pojazd, q.value(QStringLiteral("id_s")));
    wybierz(m_zlecenie, q.value(QStringLiteral("id_realiz")));
    wybierz(m_karta, q.value(QStringLiteral("id_karty")));
    wybierz(m_faktura, q.value(QStringLiteral("id_fv")));
    wybierz(m_delegacja, q.value(QStringLiteral("id_d")));
    wybierz(m_firma, q.value(QStringLiteral("id_f")));
    typ = q.value(QStringLiteral("typ")).toInt();
    m_wykonany = q.value(QStringLiteral("czy_wykonany")).toInt() != 0;
    m_uwagiWczytane = q.value(QStringLiteral("uwagi")).toString();
    ui::setMemoText(m_uwagi, m_uwagiWczytane);
    m_koszt->Wczytaj(q.value(QStringLiteral("id_koszt")).toInt());
    odswiezTerminarz();
}

bool Tramka_dokumenty_frame::Zapisz(int mode, int &id)
{
    const QString uwagi = ui::memoText(m_uwagi);
    const partners::WynikZapisu wynik =
        partners::wykonajZapis(QStringLiteral("PZapDokument"),
                               {{QStringLiteral("@rodzaj"), idLubNull(m_rodzaj)},
                                {QStringLiteral("@numer"), m_numer->text()},
                                {QStringLiteral("@wazny_od"), m_wazOd->wartosc()},
                                {QStringLiteral("@wazny_do"), m_wazDo->wartosc()},
                                {QStringLiteral("@data_wyd"), m_dnia->wartosc()},
                                {QStringLiteral("@miejsce_wyd"),
                                 m_miejsce->currentIndex() < 0 ? QVariant() : QVariant(m_miejsce->currentText())},
                                {QStringLiteral("@kto_wyd"), m_ktoWyd->text()},
                                {QStringLiteral("@typ"), typ},
                                {QStringLiteral("@id_k"), idLubNull(m_kierowca)},
                                {QStringLiteral("@data_wyd_kier"), m_dataWyd->wartosc()},
                                {QStringLiteral("@data_zw_kier"), m_dataZwrotu->wartosc()},
                                {QStringLiteral("@id_s"), idLubNull(m_pojazd)},
                                {QStringLiteral("@id_realiz"), idLubNull(m_zlecenie)},
                                {QStringLiteral("@id_karty"), idLubNull(m_karta)},
                                {QStringLiteral("@czy_wykonany"), m_wykonany ? 1 : 0},
                                {QStringLiteral("@id_u"), host::AktIdU()},
                                {QStringLiteral("@status"), idLubNull(m_status, 0)},
                                {QStringLiteral("@uwagi"), uwagi},
                                {QStringLiteral("@uwagi_mod"), uwagi == m_uwagiWczytane ? QVariant() : QVariant(1)},
                                {QStringLiteral("@id_fv"), idLubNull(m_faktura)},
                                {QStringLiteral("@id_d"), idLubNull(m_delegacja)},
                                {QStringLiteral("@id_f"), idLubNull(m_firma)},
                                {QStringLiteral("@id"), mode == 0 ? QVariant() : QVariant(id)}});
    if (!wynik.wykonano)
        return false;
    if (wynik.kod != 0) {
        partners::zglosKodZapisu(wynik.kod, this);
        return false;
    }
    id = m_id = wynik.id.toInt();
    m_uwagiWczytane = uwagi;
    if (m_terminarz->DodajPrzyZapisie())
        dodajTermin();
    else if (m_terminarz->UsunPrzyZapisie())
        host::UsunPowiazanyTermin(KodTabeli, m_id);
    odswiezTerminarz();
    const int poprzedniKoszt = mode == 0 ? 0 : m_koszt->idKosztu();
    if (const int koszt = m_koszt->Zapisz(mode == 0); koszt > 0) {
        host::ExecQuery(QStringLiteral("update dokument\nset \n  id_koszt=:id_koszt\nwhere\n  id_dok = :id_dok"),
                        nullptr, 0, {{QStringLiteral("id_koszt"), koszt}, {QStringLiteral("id_dok"), m_id}});
    } else if (koszt == 0 && poprzedniKoszt > 0) {
        usunKoszt(poprzedniKoszt);
    }
    if (host::var::ZapiszPowDomKierDomSam.get() == 1)
        m_zaloga->zapiszZaloge();
    return true;
}

// An amount the user cleared takes the document's cost away.
void Tramka_dokumenty_frame::usunKoszt(int idKosztu)
{
    db::Connection *polaczenie = host::GetConnection();
    db::Transaction transakcja(*polaczenie);
    host::ExecQuery(QStringLiteral("update dokument set id_koszt = null where id_dok = :id_dok"), polaczenie, 0,
                    {{QStringLiteral("id_dok"), m_id}});
    host::ExecQuery(QStringLiteral("delete from koszt where id_koszt = :id"), polaczenie, 0,
                    {{QStringLiteral("id"), idKosztu}});
    transakcja.commit();
    m_koszt->Wczytaj(0);
}

bool Tramka_dokumenty_frame::mozeDodacTermin() const
{
    return !m_wazDo->pusta();
}

void Tramka_dokumenty_frame::odswiezTerminarz()
{
    m_terminarz->UstawRekord(KodTabeli, m_id, mozeDodacTermin());
}

void Tramka_dokumenty_frame::dodajTermin()
{
    host::UsunPowiazanyTermin(KodTabeli, m_id);
    const int kierowca = host::ZwrocWartoscCombo(m_kierowca);
    const int pojazd = host::ZwrocWartoscCombo(m_pojazd);
    const int rodzaj = pojazd > 0 ? 1 : kierowca > 0 ? 0 : 2;
    host::DEUProstyPowiazanyTermin(nullptr, rodzaj,
                                   tlumacz("Resstrings_IDS_wazn_dok") + QLatin1Char(' ') + m_rodzaj->currentText(),
                                   pojazd > 0         ? pojazd
                                       : kierowca > 0 ? kierowca
                                                      : -1,
                                   m_wazDo->date().startOfDay(), KodTabeli, m_id);
}

void Tramka_dokumenty_frame::dodajTerminZPrzycisku()
{
    // Held down, the button only says the save adds the entry.
    if (m_terminarz->bDodaj()->isCheckable())
        return;
    if (m_id < 1 && !m_terminarz->ZapewnijZapis())
        return;
    if (m_id < 1 || !mozeDodacTermin())
        return;
    dodajTermin();
    odswiezTerminarz();
}
