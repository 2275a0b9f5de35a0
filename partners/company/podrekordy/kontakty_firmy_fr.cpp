#include "company/podrekordy/kontakty_firmy_fr.h"

#include "company/podrekordy/edycja_kontaktu_form.h"
#include "company/podrekordy/edycja_telefonu_form.h"

Tkontakty_firmy_frame::Tkontakty_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("kontakty_firmy_frame"))
{
    UstawKwerende(
        QStringLiteral("select * from VListaKontaktow where id_f=:id_f and id_jezyka=:id_jezyka order by id"));
    UstawKolumny(
        {kolumna("imie", "Resstrings_IDS_Imie", 150), kolumna("nazwisko", "Resstrings_IDS_Nazwisko", 150),
         kolumna("e_mail", "Resstrings_IDS_AdresEmail", 150), kolumna("stanowisko", "Resstrings_IDS_Stanowisko", 150),
         kolumna("tel", "Resstrings_IDS_NrTelefon", 150), kolumna("nr_trans", "Resstrings_IDS_nr_trans", 80, false),
         kolumna("nr_gg", "Resstrings_IDS_nr_gg", 80, false), kolumna("skype", "Resstrings_IDS_skype", 80, false)});
    UstawTabele(QStringLiteral("kontakt"), QStringLiteral("id_kontakt"));
}

Tedycja_podrekordu_form *Tkontakty_firmy_frame::UtworzEdytorPodrekordu()
{
    return new Tedycja_kontaktu_form(this);
}

Ttelefony_firmy_frame::Ttelefony_firmy_frame(QWidget *parent)
    : Tramka_podrekordow_frame(parent, QStringLiteral("telefony_firmy_frame"))
{
    UstawKwerende(QStringLiteral(
        "select * from VListaTelefonow where tabela = 7 and id_=:id_f and id_jezyka=:id_jezyka order by id"));
    UstawKolumny({kolumna("numer", "Resstrings_IDS_NrTelefon", 150),
                  kolumna("rodzaj_slownie", "Resstrings_IDS_RodzajTel", 150),
                  kolumna("tel_fax_slownie", "Resstrings_IDS_Firmy_Tel_Fax", 150),
                  kolumna("czy_domysl", "Resstrings_IDS_Domyslny", 80, true, true),
                  kolumna("opis", "Resstrings_IDS_ListaPUwagi", 200)});
    UstawTabele(QStringLiteral("telefon"), QStringLiteral("id_tel"));
}

Tedycja_podrekordu_form *Ttelefony_firmy_frame::UtworzEdytorPodrekordu()
{
    return new Tedycja_telefonu_form(this);
}
