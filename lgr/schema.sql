-- The books that the engine stand-in reads: one SQLite file per installation.
CREATE TABLE users(user_id TEXT PRIMARY KEY, selected_no1 INTEGER NOT NULL DEFAULT 0,
                   selected_no2 INTEGER NOT NULL DEFAULT 0,   -- data_no of the selected data set
                   is_current INTEGER NOT NULL DEFAULT 0);    -- the signed-in user has 1
CREATE TABLE datasets(data_no INTEGER NOT NULL, data_id TEXT NOT NULL, company_name TEXT NOT NULL,
                   start_date INTEGER NOT NULL, end_date INTEGER NOT NULL,   -- yyyymmdd
                   cost_schedule INTEGER NOT NULL DEFAULT 0, interim_closing INTEGER NOT NULL DEFAULT 0,
                   intro_month INTEGER NOT NULL DEFAULT 0, companies_act INTEGER NOT NULL DEFAULT 1,
                   tax_record BLOB);                          -- 12 bytes; NULL: the settings are not delivered
CREATE TABLE accounts(data_id TEXT NOT NULL, seq INTEGER NOT NULL, account_key INTEGER NOT NULL,
                   formal_name TEXT NOT NULL DEFAULT '', alt_name TEXT NOT NULL DEFAULT '',
                   kind INTEGER NOT NULL DEFAULT 0, debit_normal INTEGER NOT NULL DEFAULT 1,
                   class_code INTEGER NOT NULL,               -- the unsigned 32-bit code
                   PRIMARY KEY(data_id, seq));
CREATE TABLE postings(data_id TEXT NOT NULL, account_key INTEGER NOT NULL,
                   period INTEGER NOT NULL,                   -- 0 opening, 1..12 month position, 15 interim, 18 year-end
                   debit1 INTEGER NOT NULL DEFAULT 0, credit1 INTEGER NOT NULL DEFAULT 0,
                   debit2 INTEGER NOT NULL DEFAULT 0, credit2 INTEGER NOT NULL DEFAULT 0);
CREATE TABLE statement_texts(data_id TEXT NOT NULL, kind INTEGER NOT NULL, text NOT NULL,
                   PRIMARY KEY(data_id, kind));               -- kinds 0, 100, 1000
CREATE TABLE folders(folder_type INTEGER PRIMARY KEY, path TEXT NOT NULL);     -- Windows paths
CREATE TABLE faults(call TEXT PRIMARY KEY, status INTEGER NOT NULL, after INTEGER NOT NULL DEFAULT 0);
CREATE TABLE settings(key TEXT PRIMARY KEY, value);
