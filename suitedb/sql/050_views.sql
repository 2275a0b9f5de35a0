-- Views the module reads. Views "per language" cross join jezyk, so that
-- "where id_jezyka = :lang" yields each row once; a dictionary text is its
-- translation in that language, or the stored identifier when untranslated.
-- Computed text is marked case-insensitive so that it compares like stored text.
-- Where an owner may have several candidate rows (default phone and fax, cost
-- centre links) the smallest key is picked through an indexed lookup, so an
-- owner never repeats; a second default address is refused by an index.

create view VListaPozSlownika as
select s.id_wartosci as id,
       (coalesce(t.tresc, s.wartosc)){{CI}} as wartosc,
       s.grupa, s.typ_slownika, j.id_jezyka, s.nazwa_parametru, s.system, s.kolor,
       s.wartosc as identyfikator
from jezyk j
cross join slowwartosci s
left join tlumaczenie t on t.identyfikator = s.wartosc and t.id_jezyka = j.id_jezyka;

-- Entries of a dictionary whose group pairs the 'nazwa' parameter with a
-- second one (document kinds: name and its short form).
create view VListaPozSlownika2 as
select s1.id_wartosci as id,
       (coalesce(t1.tresc, s1.wartosc)){{CI}} as wartosc1,
       (coalesce(t2.tresc, s2.wartosc, '')){{CI}} as wartosc2,
       s1.grupa, s1.typ_slownika, j.id_jezyka, s1.system
from jezyk j
cross join slowwartosci s1
left join tlumaczenie t1 on t1.identyfikator = s1.wartosc and t1.id_jezyka = j.id_jezyka
left join slowwartosci s2 on s2.id_wartosci = (
    select min(x.id_wartosci) from slowwartosci x
    where x.typ_slownika = s1.typ_slownika and x.grupa = s1.grupa
      and x.nazwa_parametru <> s1.nazwa_parametru)
left join tlumaczenie t2 on t2.identyfikator = s2.wartosc and t2.id_jezyka = j.id_jezyka
where s1.nazwa_parametru = 'nazwa';

create view vtools as
select typ, kod, wartosc, id_jezyka from narzedzia_kody;

create view vlistapanstw as
select p.id_p as id, (coalesce(t.tresc, p.nazwa)){{CI}} as nazwa, p.nazwa as identyfikator,
       j.id_jezyka, p.sam, p.iso, p.domena, p.waluta, p.NIP, p.aktywny
from jezyk j
cross join panstwo p
left join tlumaczenie t on t.identyfikator = p.nazwa and t.id_jezyka = j.id_jezyka;

-- One row per city and postal code (a city without codes once) per language.
create view VListaMiast as
select m.id_m as id, m.id_m, m.miasto, k.id_kodu, k.kod as kod_pocz, k.kod,
       m.id_panstwa, p.sam, (coalesce(t.tresc, p.nazwa)){{CI}} as panstwo,
       (ltrim(coalesce(p.sam, '')
              || case when k.kod is not null and k.kod <> '' then ' ' || k.kod else '' end
              || ' ' || m.miasto)){{CI}} as nazwa,
       m.widoczne, m.id_m_poczty, m.id_m_gminy, m.id_wpp, m.id_wpw, j.id_jezyka
from jezyk j
cross join miasto m
left join kod_pocztowy k on k.id_m = m.id_m
left join panstwo p on p.id_p = m.id_panstwa
left join tlumaczenie t on t.identyfikator = p.nazwa and t.id_jezyka = j.id_jezyka;

create view VListaAdresow as
select a.id_adr as id, a.id_adr, a.tabela, a.id_, a.ulica, a.nr_domu, a.nr_m,
       a.id_kodu, k.kod, a.id_m, m.miasto, m.id_panstwa, p.sam, p.nazwa as nazwa_panstwa,
       a.czy_domyslny, a.rodzaj
from adres a
left join miasto m on m.id_m = a.id_m
left join kod_pocztowy k on k.id_kodu = a.id_kodu
left join panstwo p on p.id_p = m.id_panstwa;

create view VDomAdres as
select a.id_adr as id, a.id_adr, j.id_jezyka, a.tabela, a.czy_domyslny, a.id_,
       a.ulica, a.nr_domu, a.nr_m, a.id_kodu, k.kod, a.id_m, m.miasto,
       m.id_panstwa, (coalesce(t.tresc, p.nazwa)){{CI}} as panstwo, p.sam, a.rodzaj
from jezyk j
cross join adres a
left join miasto m on m.id_m = a.id_m
left join kod_pocztowy k on k.id_kodu = a.id_kodu
left join panstwo p on p.id_p = m.id_panstwa
left join tlumaczenie t on t.identyfikator = p.nazwa and t.id_jezyka = j.id_jezyka
where a.czy_domyslny = 1;

create view VListaTelefonow as
select tl.id_tel as id, tl.id_tel, tl.id_, tl.tabela, tl.numer, tl.opis, tl.rodzaj,
       (coalesce(tr.tresc, sr.wartosc)){{CI}} as rodzaj_slownie,
       tl.czy_domysl, tl.tel_fax, nk.wartosc as tel_fax_slownie, j.id_jezyka
from jezyk j
cross join telefon tl
left join slowwartosci sr on sr.id_wartosci = tl.rodzaj
left join tlumaczenie tr on tr.identyfikator = sr.wartosc and tr.id_jezyka = j.id_jezyka
left join narzedzia_kody nk on nk.typ = 'telefon_tel_fax' and nk.kod = tl.tel_fax
                           and nk.id_jezyka = j.id_jezyka;

create view VTelefon as
select * from VListaTelefonow;

create view VListaKont as
select k.id_konta as id, k.id_konta, k.nr_konta, k.bank, k.id_, k.tabela, k.id_typu,
       k.opis, k.czy_domyslne, k.swift, k.waluta, k.aktywne
from konto k;

create view VDomKonto as
select * from VListaKont where czy_domyslne = 1;

create view VListaKontaktow as
select k.id_kontakt as id, k.id_kontakt, k.nazwisko, k.imie, k.e_mail, k.id_stan,
       (coalesce(ts.tresc, ss.wartosc)){{CI}} as stanowisko, k.uwagi, k.wysw_na_zleceniu,
       k.os_up_do_fv, k.nr_trans, k.nr_gg, k.skype, k.tel, k.id_f,
       f.nazwa as nazwa_firmy, j.id_jezyka
from jezyk j
cross join kontakt k
join firma f on f.id_f = k.id_f
left join slowwartosci ss on ss.id_wartosci = k.id_stan
left join tlumaczenie ts on ts.identyfikator = ss.wartosc and ts.id_jezyka = j.id_jezyka;

-- The company record with everything its editor and the company list show.
create view VListaFirmFull as
select f.id_f as id, f.nazwa, f.skrot, f.nocne_od, f.nocne_do, f.swieta_od,
       f.limit_nadh, f.okres_roz, f.wlasciciel, f.nip, f.regon, f.krs, f.www, f.e_mail,
       f.uwagi, f.id_komunikatora, f.id_centrali, c.nazwa as centrala_sl,
       f.typ_firmy as id_typu, (coalesce(ttyp.tresc, styp.wartosc)){{CI}} as nazwa_typu,
       styp.wartosc as typ_symbol,
       f.status as id_statusu, (coalesce(tst.tresc, sst.wartosc)){{CI}} as nazwa_statusu,
       sst.kolor as status_kolor,
       f.limit_kredytowy, f.waluta_limitu_kredyt, f.dodatkowe_wolne, f.oswiadczenie_vat,
       f.komentarz, (substr(f.komentarz, 1, 100)){{CI}} as komentarz_fr,
       f.id_fv_ud, f.fv_papier_firm, f.fv_margin_gorny, f.nr_trans, f.nr_gg, f.skype,
       a.ulica, a.nr_domu, a.nr_m, a.id_kodu, k.kod, a.id_m, m.miasto,
       m.id_panstwa, (coalesce(tp.tresc, p.nazwa)){{CI}} as panstwo, p.sam, a.id_adr,
       tl.numer, ip.wartosc_import as mpk, ip.id_imp as id_mpk,
       f.pora_nocna_od, f.pora_nocna_do, j.id_jezyka, f.apd_id, f.apd_token, f.aktywna,
       f.czy_octopus, f.bus, f.id_u, f.w_synchronizacji
from jezyk j
cross join firma f
left join firma c on c.id_f = f.id_centrali
left join slowwartosci styp on styp.id_wartosci = f.typ_firmy
left join tlumaczenie ttyp on ttyp.identyfikator = styp.wartosc and ttyp.id_jezyka = j.id_jezyka
left join slowwartosci sst on sst.id_wartosci = f.status
left join tlumaczenie tst on tst.identyfikator = sst.wartosc and tst.id_jezyka = j.id_jezyka
left join adres a on a.tabela = 7 and a.id_ = f.id_f and a.czy_domyslny = 1
left join kod_pocztowy k on k.id_kodu = a.id_kodu
left join miasto m on m.id_m = a.id_m
left join panstwo p on p.id_p = m.id_panstwa
left join tlumaczenie tp on tp.identyfikator = p.nazwa and tp.id_jezyka = j.id_jezyka
left join telefon tl on tl.id_tel = (
    select min(t2.id_tel) from telefon t2
    where t2.tabela = 7 and t2.id_ = f.id_f and t2.czy_domysl = 1 and t2.tel_fax <> 2)
left join import_powiazania ip on ip.id_imp = (
    select min(i2.id_imp) from import_powiazania i2
    where i2.tabela = 7 and i2.id_ = f.id_f and i2.import = 10);

create view VlistaFirm as
select f.id_f as id, f.nazwa, f.skrot, f.nip, f.id_centrali, f.aktywna
from firma f;

create view VListaSzablonZlecenia as
select s.id_szablonu as id, s.nazwa, s.tresc
from szablon_zlecenia s;

-- Pick lists of the document editor. Every user sees every vehicle, driver
-- card, order and business trip; the per-user column keeps the readers'
-- conditions valid.
create view VListaKier as
select k.id_k as id, k.id_k,
       (k.nazwisko || case when k.imie is not null and k.imie <> '' then ' ' || k.imie else '' end){{CI}}
         as nazwisko_imie,
       k.nazwisko, k.imie, k.id_f, k.aktywny
from kierowca k;

create view VListaSamMini as
select s.id_s as id, s.nr_rej, s.dom_naczepa as id_dom_naczepa, s.dom_kier as id_dom_kier,
       s.pomocnik as id_pomocnik, u.id_u
from uzytkownik u
cross join samochod s
where s.czy_naczepa = 0;

create view VListaSam as
select s.id_s as id, s.nr_rej, s.id_f, s.czy_naczepa, s.dom_kier, s.pomocnik, s.dom_naczepa,
       s.aktywny, u.id_u, j.id_jezyka
from jezyk j
cross join uzytkownik u
cross join samochod s;

create view VListaKart as
select kk.id_karty as id, kk.nr_karty, kk.nr_karty as numer_karty, kk.id_k, u.id_u
from uzytkownik u
cross join karta_kierowcy kk;

create view vlistadelegacji as
select d.id_d as id, d.numer_wyjazdu, d.data_od, d.data_do, d.id_k, d.id_wystawil, u.id_u
from uzytkownik u
cross join delegacja d;

create view VListaZlecRealiz as
select z.id_realiz as id, z.nr_pelny, z.id_f, z.id_wystawil, z.data_utworzenia,
       u.id_u as id_u_aktywny
from uzytkownik u
cross join zlecenie z;

create view vlistadokument as
select d.id_dok as id, d.numer, d.wazny_od, d.wazny_do, d.data_wyd, d.miejsce_wyd, d.kto_wyd,
       d.typ, d.rodzaj,
       r.wartosc1 as typ_dok, r.grupa as typ_dok_grupa, r.wartosc2 as typ_dok2,
       j.id_jezyka,
       d.id_k, ki.nazwisko_imie, d.data_wyd_kier, d.data_zw_kier,
       d.id_s, s.nr_rej, d.id_realiz, z.nr_pelny, d.id_karty, kk.nr_karty as numer_karty,
       d.id_d, de.numer_wyjazdu as numer_del, d.id_fv, fv.nr_pelny as numer_fv,
       d.id_f, f.nazwa as nazwa_firmy,
       d.status as id_status, (coalesce(tst.tresc, sst.wartosc)){{CI}} as status,
       d.uwagi, (substr(d.uwagi, 1, 100)){{CI}} as uwagi_fr,
       d.czy_wykonany, d.data_wykonania, d.id_u_wykonal,
       (coalesce(u.nazwisko || ' ' || u.imie, u.nazwisko, u.login)){{CI}} as nazwa_uzytkownika,
       d.id_koszt, d.netto_rozlicz, d.brutto_rozlicz, d.id_u
from jezyk j
cross join dokument d
left join VListaPozSlownika2 r on r.id = d.rodzaj and r.id_jezyka = j.id_jezyka
left join VListaKier ki on ki.id = d.id_k
left join samochod s on s.id_s = d.id_s
left join zlecenie z on z.id_realiz = d.id_realiz
left join karta_kierowcy kk on kk.id_karty = d.id_karty
left join delegacja de on de.id_d = d.id_d
left join faktura fv on fv.id_fv = d.id_fv
left join firma f on f.id_f = d.id_f
left join slowwartosci sst on sst.id_wartosci = d.status
left join tlumaczenie tst on tst.identyfikator = sst.wartosc and tst.id_jezyka = j.id_jezyka
left join uzytkownik u on u.id_u = d.id_u_wykonal;

create view VListaDokPlik as
select dp.id_dp as id, dp.id_dp, dp.sciezka, dp.podkatalog, dp.tabela, dp.id_, dp.id_u,
       dp.data_dodania
from dokument_plik dp;
