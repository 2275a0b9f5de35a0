-- Companies and the rows that hang on them. Polymorphic satellites (adres,
-- telefon, konto, import_powiazania) name their owner by id_ + tabela, so they
-- carry no foreign key; their owner-code indexes serve the list of all
-- companies. w_synchronizacji = 1 marks a row an external synchronisation is
-- writing: the save procedures then refuse it.

create table faktura_uwagi_dodatkowe (
  id_fv_ud {{ID}},
  nazwa {{TEXT}} not null,
  tresc {{TEXT}},
  w_synchronizacji {{BOOL}} not null default 0
);

create table firma (
  id_f {{ID}},
  nazwa {{TEXT}} not null,
  skrot {{TEXT}},
  wlasciciel {{TEXT}},
  nip {{TEXT}},
  regon {{TEXT}},
  krs {{TEXT}},
  www {{TEXT}},
  e_mail {{TEXT}},
  uwagi {{TEXT}},
  typ_firmy integer,
  status integer,
  id_komunikatora integer,
  id_centrali integer references firma(id_f) on delete set null,
  id_fv_ud integer references faktura_uwagi_dodatkowe(id_fv_ud) on delete set null,
  fv_papier_firm {{BOOL}} not null default 0,
  fv_margin_gorny integer,
  nr_trans {{TEXT}},
  nr_gg {{TEXT}},
  skype {{TEXT}},
  apd_id integer,
  apd_token {{TEXT}},
  nocne_od {{DATETIME}},
  nocne_do {{DATETIME}},
  swieta_od {{DATETIME}},
  pora_nocna_od {{DATETIME}},
  pora_nocna_do {{DATETIME}},
  komentarz {{TEXT}},
  limit_nadh integer not null default 260,
  okres_roz integer,
  dodatkowe_wolne integer not null default 7,
  limit_kredytowy {{MONEY}} not null default 0,
  waluta_limitu_kredyt {{TEXT}},
  oswiadczenie_vat integer not null default 0,
  aktywna {{BOOL}} not null default 1,
  bus {{BOOL}} not null default 0,
  id_u integer,
  czy_octopus {{BOOL}} not null default 0,
  w_synchronizacji {{BOOL}} not null default 0,
  wersja integer not null default 0
);
create index ix_firma_nazwa on firma(nazwa);
create index ix_firma_skrot on firma(skrot);
create index ix_firma_nip on firma(nip);
create index ix_firma_regon on firma(regon);
create index ix_firma_krs on firma(krs);
create index ix_firma_centrala on firma(id_centrali);

create table firma_grupa (
  id_fg {{ID}},
  id_f integer not null references firma(id_f) on delete cascade,
  grupa integer not null
);
create index ix_firma_grupa_f_grupa on firma_grupa(id_f, grupa);
create index ix_firma_grupa_grupa on firma_grupa(grupa);

create table adres (
  id_adr {{ID}},
  id_ integer not null,
  tabela integer not null,
  id_m integer references miasto(id_m),
  id_kodu integer references kod_pocztowy(id_kodu) on delete set null,
  ulica {{TEXT}},
  nr_domu {{TEXT}},
  nr_m {{TEXT}},
  czy_domyslny integer not null default 0,
  rodzaj integer,
  w_synchronizacji {{BOOL}} not null default 0
);
create index ix_adres_wlasciciel on adres(tabela, id_, czy_domyslny);
create unique index ux_adres_domyslny on adres(tabela, id_) where czy_domyslny = 1;

create table telefon (
  id_tel {{ID}},
  id_ integer not null,
  tabela integer not null,
  numer {{TEXT}},
  opis {{TEXT}},
  rodzaj integer,
  czy_domysl integer not null default 0,
  tel_fax integer not null default 1,       -- 1 telephone, 2 fax, 3 both
  w_synchronizacji {{BOOL}} not null default 0
);
create index ix_telefon_wlasciciel on telefon(tabela, id_, czy_domysl, tel_fax);

create table kontakt (
  id_kontakt {{ID}},
  id_f integer not null references firma(id_f) on delete cascade,
  nazwisko {{TEXT}} not null,
  imie {{TEXT}},
  e_mail {{TEXT}},
  id_stan integer,
  uwagi {{TEXT}},
  id_jezyka_alertu integer,
  wysw_na_zleceniu integer not null default 0,
  os_up_do_fv integer not null default 0,
  nr_trans {{TEXT}},
  nr_gg {{TEXT}},
  skype {{TEXT}},
  tel {{TEXT}},
  w_synchronizacji {{BOOL}} not null default 0
);
create index ix_kontakt_f on kontakt(id_f);

create table konto (
  id_konta {{ID}},
  id_ integer not null,
  tabela integer not null,
  nr_konta {{TEXT}} not null,
  bank {{TEXT}},
  id_typu integer,
  opis {{TEXT}},
  czy_domyslne integer not null default 0,
  swift {{TEXT}},
  waluta {{TEXT}},
  aktywne integer not null default 1,
  w_synchronizacji {{BOOL}} not null default 0
);
create index ix_konto_wlasciciel on konto(tabela, id_);

-- Default settlement account of an own company towards a contractor.
create table firma_konto_rozl (
  id_fkr {{ID}},
  id_f_akt integer not null references firma(id_f) on delete cascade,
  id_f integer not null references firma(id_f) on delete cascade,
  id_konta integer not null references konto(id_konta) on delete cascade,
  unique (id_f, id_f_akt)
);
create index ix_firma_konto_rozl_akt on firma_konto_rozl(id_f_akt);
create index ix_firma_konto_rozl_konto on firma_konto_rozl(id_konta);

create table okres_roz (
  id_okr {{ID}},
  id_f integer not null references firma(id_f) on delete cascade,
  data_od {{DATETIME}} not null,
  data_do {{DATETIME}} not null,
  w_synchronizacji {{BOOL}} not null default 0
);
create index ix_okres_roz_f on okres_roz(id_f, data_od);

-- Key of a record in an external source; import 10 = cost centre (MPK) text,
-- 15 = analytic code for the invoice export.
create table import_powiazania (
  id_imp {{ID}},
  id_ integer not null,
  tabela integer not null,
  import integer not null,
  wartosc_import {{TEXT}}
);
create index ix_import_powiazania on import_powiazania(tabela, id_, import);

-- Fixed code lists that are not user dictionaries (read through vtools), with
-- their text per language.
create table narzedzia_kody (
  typ {{TEXT}} not null,
  kod integer not null,
  id_jezyka integer not null,
  wartosc {{TEXT}} not null,
  primary key (typ, kod, id_jezyka)
);
insert into narzedzia_kody (typ, kod, id_jezyka, wartosc) values ('telefon_tel_fax', 1, 1, 'telefon');
insert into narzedzia_kody (typ, kod, id_jezyka, wartosc) values ('telefon_tel_fax', 2, 1, 'fax');
insert into narzedzia_kody (typ, kod, id_jezyka, wartosc) values ('telefon_tel_fax', 3, 1, 'telefon/fax');
insert into narzedzia_kody (typ, kod, id_jezyka, wartosc) values ('telefon_tel_fax', 1, 2, 'phone');
insert into narzedzia_kody (typ, kod, id_jezyka, wartosc) values ('telefon_tel_fax', 2, 2, 'fax');
insert into narzedzia_kody (typ, kod, id_jezyka, wartosc) values ('telefon_tel_fax', 3, 2, 'phone/fax');
