-- The least of the other registers of the suite that company rows are tied to
-- (drivers, vehicles, orders, invoices, business trips, documents, schedule).
-- References to a company have no cascade: a company with invoices, orders or
-- documents cannot be deleted.

create table kierowca (
  id_k {{ID}},
  nazwisko {{TEXT}} not null,
  imie {{TEXT}},
  id_f integer references firma(id_f),
  aktywny {{BOOL}} not null default 1
);
create index ix_kierowca_f on kierowca(id_f);

create table samochod (
  id_s {{ID}},
  nr_rej {{TEXT}} not null,
  id_f integer references firma(id_f),
  czy_naczepa {{BOOL}} not null default 0,
  dom_kier integer references kierowca(id_k) on delete set null,
  pomocnik integer references kierowca(id_k) on delete set null,
  dom_naczepa integer references samochod(id_s) on delete set null,
  aktywny {{BOOL}} not null default 1
);
create index ix_samochod_f on samochod(id_f);

create table karta_kierowcy (
  id_karty {{ID}},
  nr_karty {{TEXT}} not null,
  id_k integer references kierowca(id_k) on delete cascade
);

create table delegacja (
  id_d {{ID}},
  numer_wyjazdu {{TEXT}} not null,
  id_k integer references kierowca(id_k),
  id_wystawil integer references firma(id_f),
  data_od {{DATETIME}},
  data_do {{DATETIME}}
);

create table szablon_zlecenia (
  id_szablonu {{ID}},
  nazwa {{TEXT}} not null,
  tresc {{TEXT}}
);

create table zlecenie (
  id_realiz {{ID}},
  nr_pelny {{TEXT}} not null,
  id_wystawil integer references firma(id_f),
  id_f integer references firma(id_f),
  id_u integer,
  data_utworzenia {{DATETIME}}
);
create index ix_zlecenie_f on zlecenie(id_f);
create index ix_zlecenie_wystawil on zlecenie(id_wystawil);

create table faktura (
  id_fv {{ID}},
  nr_pelny {{TEXT}} not null,
  data_wyst {{DATETIME}},
  id_wystawil integer references firma(id_f),
  id_f integer references firma(id_f),
  id_platnik integer references firma(id_f),
  id_adr_f integer references adres(id_adr),
  id_adr_platnik integer references adres(id_adr)
);
create index ix_faktura_f on faktura(id_f);
create index ix_faktura_platnik on faktura(id_platnik);
create index ix_faktura_wystawil on faktura(id_wystawil);
create index ix_faktura_adr_f on faktura(id_adr_f);
create index ix_faktura_adr_platnik on faktura(id_adr_platnik);

create table dokument (
  id_dok {{ID}},
  rodzaj integer not null,
  numer {{TEXT}},
  wazny_od {{DATETIME}},
  wazny_do {{DATETIME}},
  data_wyd {{DATETIME}},
  miejsce_wyd {{TEXT}},
  kto_wyd {{TEXT}},
  typ integer,
  id_k integer references kierowca(id_k),
  data_wyd_kier {{DATETIME}},
  data_zw_kier {{DATETIME}},
  id_s integer references samochod(id_s),
  id_realiz integer references zlecenie(id_realiz),
  id_karty integer references karta_kierowcy(id_karty),
  id_fv integer references faktura(id_fv),
  id_d integer references delegacja(id_d),
  id_f integer references firma(id_f),
  status integer,
  uwagi {{TEXT}},
  czy_wykonany {{BOOL}} not null default 0,
  data_wykonania {{DATETIME}},
  id_u_wykonal integer,
  id_u integer,
  id_koszt integer,
  netto_rozlicz {{MONEY}},
  brutto_rozlicz {{MONEY}},
  w_synchronizacji {{BOOL}} not null default 0
);
-- Covers the company list's "papers run out" column: latest validity per kind.
create index ix_dokument_f_rodzaj on dokument(id_f, rodzaj, czy_wykonany, wazny_do);
create index ix_dokument_k on dokument(id_k);
create index ix_dokument_s on dokument(id_s);
create index ix_dokument_realiz on dokument(id_realiz);

-- Files linked to any record; sciezka is relative to the document store.
create table dokument_plik (
  id_dp {{ID}},
  sciezka {{TEXT}} not null,
  podkatalog {{TEXT}},
  tabela integer not null,
  id_ integer not null,
  id_u integer,
  data_dodania {{DATETIME}},
  w_synchronizacji {{BOOL}} not null default 0
);
create index ix_dokument_plik_wlasciciel on dokument_plik(tabela, id_);

-- Schedule entries linked to a record (table code + id).
create table terminarz (
  id_ter {{ID}},
  tabela integer,
  id_ integer,
  tytul {{TEXT}},
  data {{DATETIME}},
  rodzaj integer,
  id_wlasciciela integer,
  id_u integer
);
create index ix_terminarz_wlasciciel on terminarz(tabela, id_);

-- The cost a document carries (dokument.id_koszt); typ and rodzaj are entries
-- of the dictionaries koszt_typ and koszt_rodzaj.
create table koszt (
  id_koszt {{ID}},
  typ integer,
  rodzaj integer,
  kwota {{MONEY}} not null,
  czy_brutto {{BOOL}} not null default 0,
  stawka_vat {{TEXT}},
  waluta {{TEXT}},
  kurs numeric(18,4),
  data_kursu {{DATETIME}},
  ilosc numeric(18,3),
  data_rozliczenia {{DATETIME}},
  id_f integer references firma(id_f),
  id_realiz integer references zlecenie(id_realiz),
  miejsce {{TEXT}},
  id_u integer
);
