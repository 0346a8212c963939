-- Settings database nb_set.mdb: catalog, cell maps, cell actions, stored SQL, choice lists.

-- One row per page, in tree order by bh. The first two columns are read by position:
-- the document name, then the tree flag ("A" = the node carries a key and opening it fits the rows).
CREATE TABLE bb (
  bbm     TEXT COLLATE NOCASE,
  lx      TEXT COLLATE NOCASE,
  bh      INTEGER,
  ysthdz  TEXT COLLATE NOCASE,  -- key cells, joined with "*"
  gjz     TEXT,                 -- record filter with one ";" per key part
  gjz_zdm TEXT COLLATE NOCASE,  -- key columns, joined with "*"
  sy_bm   TEXT COLLATE NOCASE,  -- tables that use gjz
  gstb_wz TEXT,                 -- company picture offset in twips: "x,y"
  "key"   TEXT COLLATE NOCASE   -- "AX" for pages with the bordered report body
);
CREATE INDEX bb_bbm ON bb (bbm);

-- After an edit of a cell: "write_mdb" reloads the page and stores the cell, "write_cell" reloads only.
CREATE TABLE cellact (
  exceldz TEXT COLLATE NOCASE,  -- document name, ".", first cell of the edited range
  act     TEXT COLLATE NOCASE
);
CREATE INDEX cellact_exceldz ON cellact (exceldz);

-- Stored statements; the three pieces are concatenated as they stand, so a piece carries its own leading blank.
-- Rows of a page run in insertion order.
CREATE TABLE "sql_查询" (
  excel_table_name TEXT COLLATE NOCASE,
  table_name       TEXT COLLATE NOCASE,
  sql_name         TEXT,
  sql_name_ex      TEXT,
  sql_name_exe     TEXT,
  "add"            TEXT COLLATE NOCASE
);
CREATE INDEX sql_excel_table_name ON "sql_查询" (excel_table_name);

-- Pattern of a cell-map table; the builder creates one per page, named exactly like the page:
--
-- CREATE TABLE "<document name>" (
--   zdm        TEXT COLLATE NOCASE,  -- table "." column; no "." = not stored (report parameters, formula carriers)
--   exceldz    TEXT COLLATE NOCASE,  -- document name "." address as the grid reports it
--   mline      TEXT COLLATE NOCASE,  -- last cell of a block column, or NULL
--   bh         INTEGER,              -- input order; 999 ends the input cycle
--   jsbds      TEXT,                 -- formula, or "nullstring"
--   zhxdz      TEXT COLLATE NOCASE,  -- plain address receiving the capital amount
--   dw         TEXT,                 -- unit template U;n
--   fh_width   TEXT,                 -- row numbers of the lines, joined with "*"
--   out_cl     TEXT,                 -- wbd / bao_ci / base / cl / CL / CL_ZH:c,c
--   ifout      TEXT,                 -- "否" keeps the cell out of printing
--   hz_sum     TEXT,                 -- head of a total formula, or "hz"
--   fx_zh      TEXT,
--   fx_tj      TEXT,
--   excel_zhtj TEXT,
--   sql_zhtj   TEXT
-- );
--
-- Pattern of a pop-up table, one per page that has choice lists, named "<document name>_pop";
-- the common-settings grid hides column 0 and shows popnr wide, exceldz narrow:
--
-- CREATE TABLE "<document name>_pop" (
--   bh      INTEGER PRIMARY KEY AUTOINCREMENT,
--   popnr   TEXT,                   -- "title：," then each choice followed by ","
--   exceldz TEXT COLLATE NOCASE     -- plain address as the grid reports a selection
-- );
