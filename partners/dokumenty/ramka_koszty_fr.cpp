#include "dokumenty/ramka_koszty_fr.h"

#include "dokumenty/pole_daty.h"
#include "ramka/edycja/zapis_procedury.h"
#include "ramka/modul.h"

#include "host_funcs.h"
#include "host_variables.h"
#include "query.h"
#include "services.h"
#include "text_fields.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>

using partners::tlumacz;

namespace {

QVariant idLubNull(const QComboBox *pole)
{
    const int id = host::ZwrocWartoscCombo(pole);
    return id > 0 ? QVariant(id) : QVariant();
}

QVariant liczbaLubNull(const QDoubleSpinBox *pole)
{
    return pole->value() == pole->minimum() ? QVariant() : QVariant(pole->value());
}

} // namespace

Tramka_koszty_frame::Tramka_koszty_frame(QWidget *parent)
    : QWidget(parent),
      m_typ(lista("e_typ")),
      m_rodzaj(lista("e_rodzaj")),
      m_brutto(lista("e_netto_brutto")),
      m_vat(lista("e_stawka_vat")),
      m_waluta(lista("e_waluta")),
      m_firma(lista("e_firma")),
      m_zlecenie(lista("e_zlecenie")),
      m_kwota(liczba("e_kwota", 2)),
      m_kurs(liczba("e_kurs", 4)),
      m_ilosc(liczba("e_ilosc", 2)),
      m_dataKursu(new PoleDaty("e_data_kursu", this)),
      m_dataRozliczenia(new PoleDaty("e_data_rozliczenia", this)),
      m_miejsce(new QLineEdit(this))
{
    setObjectName(QStringLiteral("ramka_koszt"));
    m_miejsce->setObjectName(QStringLiteral("e_miejsce"));
    ui::limitLength(m_miejsce, 100);
    m_brutto->addItem(tlumacz("Resstrings_IDS_Koszt_netto"), 0);
    m_brutto->addItem(tlumacz("Resstrings_IDS_Koszt_brutto"), 1);
    // Polish VAT rates as invoices write them.
    m_vat->addItems(
        {QStringLiteral("23"), QStringLiteral("8"), QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("zw")});

    auto *uklad = new QFormLayout(this);
    const auto wiersz = [&](const char *klucz, QWidget *pole) { uklad->addRow(tlumacz(klucz), pole); };
    wiersz("Resstrings_IDS_Koszt_typ", m_typ);
    wiersz("Resstrings_IDS_Koszt_rodzaj", m_rodzaj);
    wiersz("Resstrings_IDS_Koszt_kwota", m_kwota);
    wiersz("Resstrings_IDS_Koszt_netto_brutto", m_brutto);
    wiersz("Resstrings_IDS_Koszt_stawka_vat", m_vat);
    wiersz("Resstrings_IDS_Koszt_waluta", m_waluta);
    wiersz("Resstrings_IDS_Koszt_kurs", m_kurs);
    wiersz("Resstrings_IDS_Koszt_data_kursu", m_dataKursu);
    wiersz("Resstrings_IDS_Koszt_ilosc", m_ilosc);
    wiersz("Resstrings_IDS_Koszt_data_rozliczenia", m_dataRozliczenia);
    wiersz("Resstrings_IDS_Firma2", m_firma);
    wiersz("Resstrings_IDS_Dok_Zlecenie", m_zlecenie);
    wiersz("Resstrings_IDS_Koszt_miejsce", m_miejsce);
}

QComboBox *Tramka_koszty_frame::lista(const char *nazwa)
{
    auto *pole = new QComboBox(this);
    pole->setObjectName(QLatin1String(nazwa));
    return pole;
}

QDoubleSpinBox *Tramka_koszty_frame::liczba(const char *nazwa, int miejsc)
{
    auto *pole = new QDoubleSpinBox(this);
    pole->setObjectName(QLatin1String(nazwa));
    pole->setDecimals(miejsc);
    pole->setRange(0, 1e12);
    pole->setGroupSeparatorShown(true);
    // Zero shows blank: no value entered.
    pole->setSpecialValueText(QStringLiteral(" "));
    return pole;
}

QList<QWidget *> Tramka_koszty_frame::pola() const
{
    return {m_typ,       m_rodzaj, m_kwota,           m_brutto, m_vat,      m_waluta, m_kurs,
            m_dataKursu, m_ilosc,  m_dataRozliczenia, m_firma,  m_zlecenie, m_miejsce};
}

void Tramka_koszty_frame::WypelnijListy()
{
    for (auto [pole, slownik] : {std::pair{m_typ, "koszt_typ"}, std::pair{m_rodzaj, "koszt_rodzaj"}}) {
        host::Laduj_DB_FlatCombo(
            pole,
            QStringLiteral("select id, wartosc from VListaPozSlownika where typ_slownika = :typ "
                           "and id_jezyka = :id_jezyka order by ")
                + host::collated(QStringLiteral("wartosc")),
            QStringLiteral("id"), QStringLiteral("wartosc"), true, nullptr,
            {{QStringLiteral("typ"), QLatin1String(slownik)}, {QStringLiteral("id_jezyka"), host::GetLanguage()}});
    }
    m_waluta->clear();
    m_waluta->addItems(host::GetListaStringDB(
        QStringLiteral("select distinct waluta from panstwo where aktywny=1 and waluta is not null order by waluta")));
    host::Laduj_DB_FlatCombo(
        m_firma, QStringLiteral("select id, nazwa from VlistaFirm order by ") + host::collated(QStringLiteral("nazwa")),
        QStringLiteral("id"), QStringLiteral("nazwa"), true);
    host::Laduj_DB_FlatCombo(
        m_zlecenie,
        QStringLiteral("select * from VListaZlecRealiz where id_wystawil = :id_wystawil "
                       "and id_u_aktywny = :id_u order by data_utworzenia desc"),
        QStringLiteral("id"), QStringLiteral("nr_pelny"), true, nullptr,
        {{QStringLiteral("id_u"), host::AktIdU()}, {QStringLiteral("id_wystawil"), host::var::AktywnaFirma.get()}});
}

void Tramka_koszty_frame::Wczytaj(int idKosztu)
{
    db::Query q(host::GetConnection(), QStringLiteral("select * from koszt where id_koszt = :id"));
    q.parameters().setValue(QStringLiteral("id"), idKosztu);
    if (idKosztu > 0)
        q.open();
    const bool jest = idKosztu > 0 && !q.isEmpty();
    const auto pole = [&](const char *kolumna) { return jest ? q.value(QLatin1String(kolumna)) : QVariant(); };
    m_id = jest ? idKosztu : 0;
    host::UstawWartoscCombo(m_typ, pole("typ").toInt());
    host::UstawWartoscCombo(m_rodzaj, pole("rodzaj").toInt());
    host::UstawWartoscCombo(m_firma, pole("id_f").toInt());
    host::UstawWartoscCombo(m_zlecenie, pole("id_realiz").toInt());
    m_kwota->setValue(pole("kwota").toDouble());
    m_brutto->setCurrentIndex(pole("czy_brutto").toInt() != 0 ? 1 : 0);
    m_vat->setCurrentText(jest ? pole("stawka_vat").toString() : QStringLiteral("23"));
    // A currency no longer active stays what the cost was entered in.
    const QString waluta = jest ? pole("waluta").toString() : host::var::DomyslnaWaluta.get();
    if (!waluta.isEmpty() && m_waluta->findText(waluta) < 0)
        m_waluta->addItem(waluta);
    m_waluta->setCurrentText(waluta);
    m_kurs->setValue(pole("kurs").toDouble());
    m_ilosc->setValue(jest ? pole("ilosc").toDouble() : 1);
    m_dataKursu->ustaw(pole("data_kursu"));
    m_dataRozliczenia->ustaw(pole("data_rozliczenia"));
    m_miejsce->setText(pole("miejsce").toString());
}

int Tramka_koszty_frame::Zapisz(bool jakoNowy)
{
    if (m_kwota->value() == 0)
        return 0;
    const partners::WynikZapisu wynik =
        partners::wykonajZapis(QStringLiteral("PZapKoszt"),
                               {{QStringLiteral("@typ"), idLubNull(m_typ)},
                                {QStringLiteral("@rodzaj"), idLubNull(m_rodzaj)},
                                {QStringLiteral("@kwota"), m_kwota->value()},
                                {QStringLiteral("@czy_brutto"), m_brutto->currentIndex()},
                                {QStringLiteral("@stawka_vat"), m_vat->currentText()},
                                {QStringLiteral("@waluta"), m_waluta->currentText()},
                                {QStringLiteral("@kurs"), liczbaLubNull(m_kurs)},
                                {QStringLiteral("@data_kursu"), m_dataKursu->wartosc()},
                                {QStringLiteral("@ilosc"), liczbaLubNull(m_ilosc)},
                                {QStringLiteral("@data_rozliczenia"), m_dataRozliczenia->wartosc()},
                                {QStringLiteral("@id_f"), idLubNull(m_firma)},
                                {QStringLiteral("@id_realiz"), idLubNull(m_zlecenie)},
                                {QStringLiteral("@miejsce"), m_miejsce->text()},
                                {QStringLiteral("@id_u"), host::AktIdU()},
                                {QStringLiteral("@id"), jakoNowy || m_id < 1 ? QVariant() : QVariant(m_id)}});
    if (!wynik.wykonano)
        return -1;
    if (wynik.kod != 0) {
        partners::zglosKodZapisu(wynik.kod, this);
        return -1;
    }
    return m_id = wynik.id.toInt();
}
