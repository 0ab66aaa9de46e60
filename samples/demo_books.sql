-- Demo books: one year of a small manufacturer, with a cost schedule and notes. Run after lgr/schema.sql.
-- Amounts are kept in yen while the journal is built and stored in ten-thousandths.
BEGIN;

INSERT INTO users(user_id, selected_no1, selected_no2, is_current) VALUES('demo', 0, 1, 1);
-- Byte 5 of the consumption-tax record is set: the books are kept without tax (the second amount set).
INSERT INTO datasets(data_no, data_id, company_name, start_date, end_date, cost_schedule, interim_closing,
                     intro_month, companies_act, tax_record)
VALUES(1, 'DEMO2025', '株式会社 青葉精機製作所', 20250401, 20260331, 1, 1, 0, 1, X'000000000001000000000000');

-- The chart: code, kind (0 account, 1 not collected, 2 group or total, 3 listed total), debit normal,
-- classification code, formal name, short name. Account keys are code * 10000.
CREATE TEMP TABLE chart(code INTEGER, kind INTEGER, dn INTEGER, class INTEGER, formal TEXT, alt TEXT);
INSERT INTO chart VALUES
 (100, 2, 1, 0x80800000, '資産の部', '資産合計'),
 (110, 2, 1, 0x80880000, '流動資産', '流動資産合計'),
 (111, 0, 1, 0x80880001, '現金', '現金'),
 (112, 0, 1, 0x80880002, '普通預金', '普通預金'),
 (113, 0, 1, 0x80880003, '受取手形', '受取手形'),
 (114, 0, 1, 0x80880004, '売掛金', '売掛金'),
 (115, 0, 1, 0x80880005, '製品', '製品'),
 (116, 0, 1, 0x80880006, '原材料', '原材料'),
 (117, 0, 1, 0x80880007, '仕掛品', '仕掛品'),
 (118, 0, 1, 0x80880009, '仮払消費税', '仮払消費税'),
 (119, 0, 1, 0x8088000A, '貸倒引当金', '貸倒引当金'),
 (120, 2, 1, 0x80840000, '固定資産', '固定資産合計'),
 (121, 2, 1, 0x80848000, '有形固定資産', '有形固定資産合計'),
 (122, 0, 1, 0x80848001, '建物', '建物'),
 (123, 0, 1, 0x80848002, '機械装置', '機械装置'),
 (124, 0, 1, 0x80848003, '車両運搬具', '車両運搬具'),
 (125, 0, 1, 0x80848004, '工具器具備品', '工具器具備品'),
 (126, 0, 1, 0x80848005, '減価償却累計額', '償却累計額'),
 (127, 0, 1, 0x80848006, '土地', '土地'),
 (130, 2, 1, 0x80844000, '無形固定資産', '無形固定資産合計'),
 (131, 0, 1, 0x80844001, 'ソフトウェア', 'ソフトウェア'),
 (132, 0, 1, 0x80844002, '電話加入権', '電話加入権'),
 (140, 2, 1, 0x80842000, '投資その他の資産', '投資その他の資産合計'),
 (141, 0, 1, 0x80842001, '投資有価証券', '投資有価証券'),
 (142, 0, 1, 0x80842002, '差入保証金', '差入保証金'),
 (143, 0, 1, 0x80842003, '繰延税金資産', '繰延税金資産'),
 (150, 2, 1, 0x80820000, '繰延資産', '繰延資産合計'),
 (151, 0, 1, 0x80820001, '開業費', '開業費'),
 (200, 2, 0, 0x80400000, '負債の部', '負債合計'),
 (210, 2, 0, 0x80480000, '流動負債', '流動負債合計'),
 (211, 0, 0, 0x80480001, '支払手形', '支払手形'),
 (212, 0, 0, 0x80480002, '買掛金', '買掛金'),
 (213, 0, 0, 0x80480003, '短期借入金', '短期借入金'),
 (214, 0, 0, 0x80480004, '未払金', '未払金'),
 (215, 0, 0, 0x80480005, '未払法人税等', '未払法人税等'),
 (216, 0, 0, 0x80480006, '未払消費税等', '未払消費税等'),
 (217, 0, 0, 0x80480007, '仮受消費税', '仮受消費税'),
 (218, 0, 0, 0x80480008, '預り金', '預り金'),
 (230, 2, 0, 0x80440000, '固定負債', '固定負債合計'),
 (231, 0, 0, 0x80440001, '長期借入金', '長期借入金'),
 (232, 0, 0, 0x80440002, '退職給付引当金', '退職給付引当金'),
 (300, 2, 0, 0x80200000, '純資産の部', '純資産合計'),
 (301, 0, 0, 0x80288000, '資本金', '資本金'),
 (302, 0, 0, 0x80282080, '資本準備金', '資本準備金'),
 (303, 0, 0, 0x80282040, 'その他資本剰余金', 'その他資本剰余金'),
 (304, 0, 0, 0x80281080, '利益準備金', '利益準備金'),
 (305, 0, 0, 0x80281040, '別途積立金', '別途積立金'),
 (306, 0, 0, 0x80281040, '配当平均積立金', '配当平均積立金'),
 (307, 0, 0, 0x80281048, '繰越利益剰余金', '繰越利益剰余金'),
 (308, 0, 0, 0x80280800, '自己株式', '自己株式'),
 (309, 0, 0, 0x80248000, 'その他有価証券評価差額金', '評価差額金'),
 (310, 0, 0, 0x80220000, '新株予約権', '新株予約権'),
 (399, 1, 1, 0x80000000, '諸口', '諸口'),
 (400, 2, 0, 0x40888000, '売上高', '売上高合計'),
 (401, 0, 0, 0x40888001, '製品売上高', '製品売上高'),
 (402, 0, 0, 0x40888002, '加工収入', '加工収入'),
 (410, 2, 1, 0x40884000, '売上原価', '売上原価合計'),
 (411, 0, 1, 0x40884100, '期首製品棚卸高', '期首製品棚卸高'),
 (412, 3, 1, 0x40884200, '当期製品製造原価', '当期製品製造原価'),
 (413, 0, 1, 0x40884080, '期末製品棚卸高', '期末製品棚卸高'),
 (419, 2, 0, 0x40880008, '売上総利益', '売上総利益'),
 (420, 2, 1, 0x40882000, '販売費及び一般管理費', '販管費合計'),
 (421, 0, 1, 0x40882001, '役員報酬', '役員報酬'),
 (422, 0, 1, 0x40882002, '給料手当', '給料手当'),
 (423, 0, 1, 0x40882003, '法定福利費', '法定福利費'),
 (424, 0, 1, 0x40882004, '旅費交通費', '旅費交通費'),
 (425, 0, 1, 0x40882005, '通信費', '通信費'),
 (426, 0, 1, 0x40882006, '地代家賃', '地代家賃'),
 (427, 0, 1, 0x40882007, '減価償却費', '減価償却費'),
 (428, 0, 1, 0x40882009, '貸倒引当金繰入額', '貸倒引当金繰入'),
 (429, 0, 1, 0x4088200A, '租税公課', '租税公課'),
 (430, 2, 0, 0x40880000, '営業利益', '営業利益'),
 (440, 2, 0, 0x40848000, '営業外収益', '営業外収益合計'),
 (441, 0, 0, 0x40848001, '受取利息', '受取利息'),
 (442, 0, 0, 0x40848002, '雑収入', '雑収入'),
 (450, 2, 1, 0x40844000, '営業外費用', '営業外費用合計'),
 (451, 0, 1, 0x40844001, '支払利息', '支払利息'),
 (452, 0, 1, 0x40844002, '開業費償却', '開業費償却'),
 (460, 2, 0, 0x40800000, '経常利益', '経常利益'),
 (470, 2, 0, 0x40480000, '特別利益', '特別利益合計'),
 (471, 0, 0, 0x40480001, '固定資産売却益', '固定資産売却益'),
 (480, 2, 1, 0x40440000, '特別損失', '特別損失合計'),
 (481, 0, 1, 0x40440001, '固定資産除却損', '固定資産除却損'),
 (490, 2, 0, 0x40200080, '税引前当期純利益', '税引前当期純利益'),
 (491, 0, 1, 0x40200004, '法人税、住民税及び事業税', '法人税等'),
 (492, 0, 1, 0x40200002, '法人税等調整額', '法人税等調整額'),
 (495, 2, 0, 0x40200040, '当期純利益', '当期純利益'),
 (500, 2, 1, 0x20800000, '材料費', '材料費合計'),
 (501, 0, 1, 0x20800004, '期首材料棚卸高', '期首材料棚卸高'),
 (502, 0, 1, 0x20800002, '材料仕入高', '材料仕入高'),
 (503, 0, 1, 0x20800001, '期末材料棚卸高', '期末材料棚卸高'),
 (510, 2, 1, 0x20400000, '労務費', '労務費合計'),
 (511, 0, 1, 0x20400001, '賃金', '賃金'),
 (512, 0, 1, 0x20400002, '賞与', '賞与'),
 (513, 0, 1, 0x20400004, '法定福利費(製)', '法定福利費'),
 (520, 2, 1, 0x20040000, '外注加工費', '外注加工費合計'),
 (521, 0, 1, 0x20040001, '外注加工費', '外注加工費'),
 (530, 2, 1, 0x20200000, '製造経費', '製造経費合計'),
 (531, 0, 1, 0x20200001, '電力料', '電力料'),
 (532, 0, 1, 0x20200002, '減価償却費(製)', '減価償却費'),
 (533, 0, 1, 0x20200004, '修繕費', '修繕費'),
 (540, 2, 1, 0x20080000, '当期総製造費用', '当期総製造費用'),
 (550, 2, 1, 0x20108000, '期首仕掛品棚卸高', '期首仕掛品'),
 (551, 0, 1, 0x20108001, '期首仕掛品棚卸高', '期首仕掛品'),
 (560, 2, 1, 0x20100008, '合計', '小計'),
 (570, 2, 1, 0x20102000, '期末仕掛品棚卸高', '期末仕掛品'),
 (571, 0, 1, 0x20102001, '期末仕掛品棚卸高', '期末仕掛品');

INSERT INTO accounts(data_id, seq, account_key, formal_name, alt_name, kind, debit_normal, class_code)
SELECT 'DEMO2025', row_number() OVER (ORDER BY code), code * 10000, formal, alt, kind, dn, class FROM chart;

-- The journal: period, debit account, credit account, amount in yen, consumption tax
-- (0 none, 1 on a sale: in the credit, 2 on a purchase: in the debit).
CREATE TEMP TABLE journal(period INTEGER, dr INTEGER, cr INTEGER, amount INTEGER, tax INTEGER);

-- Opening balances: one entry against the sundry account per balance, which nets to zero there.
INSERT INTO journal(period, dr, cr, amount, tax) VALUES
 (0, 111, 399, 300000, 0), (0, 112, 399, 10000000, 0), (0, 113, 399, 1500000, 0), (0, 114, 399, 4000000, 0),
 (0, 115, 399, 1200000, 0), (0, 116, 399, 800000, 0), (0, 117, 399, 400000, 0), (0, 399, 119, 100000, 0),
 (0, 122, 399, 8000000, 0), (0, 123, 399, 6000000, 0), (0, 124, 399, 1500000, 0), (0, 125, 399, 600000, 0),
 (0, 399, 126, 5200000, 0), (0, 127, 399, 10000000, 0), (0, 131, 399, 400000, 0), (0, 132, 399, 80000, 0),
 (0, 141, 399, 1000000, 0), (0, 142, 399, 500000, 0), (0, 151, 399, 300000, 0),
 (0, 399, 211, 500000, 0), (0, 399, 212, 2200000, 0), (0, 399, 213, 3000000, 0), (0, 399, 214, 400000, 0),
 (0, 399, 215, 900000, 0), (0, 399, 216, 600000, 0), (0, 399, 218, 180000, 0), (0, 399, 231, 12000000, 0),
 (0, 399, 232, 1500000, 0),
 (0, 399, 301, 10000000, 0), (0, 399, 302, 2000000, 0), (0, 399, 303, 500000, 0), (0, 399, 304, 800000, 0),
 (0, 399, 305, 2000000, 0), (0, 399, 306, 500000, 0), (0, 399, 307, 4350000, 0), (0, 308, 399, 300000, 0),
 (0, 399, 309, 100000, 0), (0, 399, 310, 50000, 0);

-- Every month, scaled by the season (percent).
CREATE TEMP TABLE season(period INTEGER, pct INTEGER);
INSERT INTO season VALUES (1, 95), (2, 100), (3, 110), (4, 100), (5, 90), (6, 105),
                          (7, 100), (8, 95), (9, 110), (10, 100), (11, 105), (12, 120);
CREATE TEMP TABLE monthly(dr INTEGER, cr INTEGER, amount INTEGER, tax INTEGER);
INSERT INTO monthly VALUES
 (114, 401, 3800000, 1), (111, 401, 200000, 1), (114, 402, 150000, 1), (112, 114, 3500000, 0),
 (113, 114, 300000, 0), (112, 113, 250000, 0), (502, 212, 1100000, 2), (212, 112, 1050000, 0),
 (511, 112, 600000, 0), (513, 112, 90000, 0), (421, 112, 400000, 0), (422, 112, 500000, 0),
 (423, 112, 75000, 0), (521, 212, 150000, 2), (531, 112, 80000, 2), (533, 112, 30000, 2),
 (426, 112, 120000, 2), (424, 111, 30000, 2), (425, 112, 20000, 2),
 (112, 441, 500, 0), (451, 112, 15000, 0), (231, 112, 100000, 0);
INSERT INTO journal(period, dr, cr, amount, tax)
SELECT s.period, m.dr, m.cr, m.amount * s.pct / 100, m.tax FROM monthly AS m CROSS JOIN season AS s;

-- Single events of the year.
INSERT INTO journal(period, dr, cr, amount, tax) VALUES
 (2, 215, 112, 900000, 0), (2, 216, 112, 600000, 0), (2, 211, 112, 100000, 0),
 (3, 307, 112, 1000000, 0), (3, 307, 304, 100000, 0),
 (4, 512, 112, 900000, 0),
 (5, 123, 112, 2000000, 2),
 (7, 131, 112, 500000, 2),
 (8, 308, 112, 200000, 0),
 (9, 512, 112, 900000, 0),
 (10, 112, 124, 500000, 0), (10, 112, 471, 300000, 0),
 (11, 481, 125, 50000, 0),
 (12, 112, 442, 45000, 0),
 -- the interim closing: half a year of depreciation
 (15, 532, 126, 600000, 0), (15, 427, 126, 200000, 0),
 -- the year-end closing
 (18, 532, 126, 600000, 0), (18, 427, 126, 200000, 0), (18, 452, 151, 60000, 0),
 (18, 428, 119, 30000, 0), (18, 141, 309, 100000, 0),
 (18, 501, 116, 800000, 0), (18, 116, 503, 900000, 0),
 (18, 551, 117, 400000, 0), (18, 117, 571, 350000, 0),
 (18, 411, 115, 1200000, 0), (18, 115, 413, 1300000, 0),
 (18, 491, 215, 1500000, 0), (18, 143, 492, 20000, 0);

-- Both sides of every entry. The first amount set includes consumption tax; the second keeps it
-- apart in the provisional tax accounts 118 and 217.
INSERT INTO postings(data_id, account_key, period, debit1, credit1, debit2, credit2)
SELECT 'DEMO2025', dr * 10000, period, amount * 10000, 0,
       (CASE WHEN tax = 2 THEN amount * 10 / 11 ELSE amount END) * 10000, 0 FROM journal
UNION ALL
SELECT 'DEMO2025', cr * 10000, period, 0, amount * 10000,
       0, (CASE WHEN tax = 1 THEN amount * 10 / 11 ELSE amount END) * 10000 FROM journal
UNION ALL
SELECT 'DEMO2025', 1180000, period, 0, 0, (amount - amount * 10 / 11) * 10000, 0 FROM journal WHERE tax = 2
UNION ALL
SELECT 'DEMO2025', 2170000, period, 0, 0, 0, (amount - amount * 10 / 11) * 10000 FROM journal WHERE tax = 1;

-- Consumption tax settled at the year's end: netted out of the provisional accounts in the second
-- set, charged as a tax expense in the first.
CREATE TEMP TABLE vat AS
SELECT (SELECT SUM(credit2) FROM postings WHERE account_key = 2170000) AS received,
       (SELECT SUM(debit2) FROM postings WHERE account_key = 1180000) AS paid;
INSERT INTO postings(data_id, account_key, period, debit1, credit1, debit2, credit2)
SELECT 'DEMO2025', 2170000, 18, 0, 0, received, 0 FROM vat
UNION ALL SELECT 'DEMO2025', 1180000, 18, 0, 0, 0, paid FROM vat
UNION ALL SELECT 'DEMO2025', 2160000, 18, 0, received - paid, 0, received - paid FROM vat
UNION ALL SELECT 'DEMO2025', 4290000, 18, received - paid, 0, 0, 0 FROM vat;

-- Retained earnings carry each period's profit, so that the balance sheet balances.
INSERT INTO postings(data_id, account_key, period, debit1, credit1, debit2, credit2)
SELECT 'DEMO2025', 3070000, p.period,
       MAX(SUM(p.debit1 - p.credit1), 0), MAX(SUM(p.credit1 - p.debit1), 0),
       MAX(SUM(p.debit2 - p.credit2), 0), MAX(SUM(p.credit2 - p.debit2), 0)
FROM postings AS p JOIN accounts AS a ON a.data_id = p.data_id AND a.account_key = p.account_key
WHERE a.kind = 0 AND (a.class_code & 0x60000000) != 0
GROUP BY p.period;

-- Group and total rows hold the postings of their members: accounts whose code has every bit of
-- one of the total's masks. The cost of finished goods (kind 3) first, from the cost accounts.
CREATE TEMP TABLE total_rule(total INTEGER, mask INTEGER);
INSERT INTO total_rule
SELECT class, class FROM chart WHERE kind = 2 AND class NOT IN (0x40880008, 0x40200080, 0x40200040, 0x20080000, 0x20100008);
INSERT INTO total_rule VALUES
 (0x40880008, 0x40888000), (0x40880008, 0x40884000),
 (0x40200080, 0x40800000), (0x40200080, 0x40400000),
 (0x40200040, 0x40800000), (0x40200040, 0x40400000), (0x40200040, 0x40200000),
 (0x20080000, 0x20800000), (0x20080000, 0x20400000), (0x20080000, 0x20040000), (0x20080000, 0x20200000),
 (0x20100008, 0x20800000), (0x20100008, 0x20400000), (0x20100008, 0x20040000), (0x20100008, 0x20200000),
 (0x20100008, 0x20108000),
 (0x40884200, 0x20800000), (0x40884200, 0x20400000), (0x40884200, 0x20040000), (0x40884200, 0x20200000),
 (0x40884200, 0x20108000), (0x40884200, 0x20102000);

INSERT INTO postings(data_id, account_key, period, debit1, credit1, debit2, credit2)
SELECT t.data_id, t.account_key, p.period, SUM(p.debit1), SUM(p.credit1), SUM(p.debit2), SUM(p.credit2)
FROM accounts AS t JOIN accounts AS m ON m.data_id = t.data_id AND m.kind = 0
 AND EXISTS (SELECT 1 FROM total_rule AS r WHERE r.total = t.class_code AND (m.class_code & r.mask) = r.mask)
JOIN postings AS p ON p.data_id = m.data_id AND p.account_key = m.account_key
WHERE t.kind = 3 GROUP BY t.account_key, p.period;

INSERT INTO postings(data_id, account_key, period, debit1, credit1, debit2, credit2)
SELECT t.data_id, t.account_key, p.period, SUM(p.debit1), SUM(p.credit1), SUM(p.debit2), SUM(p.credit2)
FROM accounts AS t JOIN accounts AS m ON m.data_id = t.data_id AND m.kind IN (0, 3)
 AND EXISTS (SELECT 1 FROM total_rule AS r WHERE r.total = t.class_code AND (m.class_code & r.mask) = r.mask)
JOIN postings AS p ON p.data_id = m.data_id AND p.account_key = m.account_key
WHERE t.kind = 2 GROUP BY t.account_key, p.period;

-- The notes. Kind 0: whether notes are output. Kind 100: notes input in use, and one "[Note_NN]"
-- section per note heading, its Disp= switching that heading on (1 accounting policies, 2 balance
-- sheet, 10 other notes; 16 and 32 are headings the statements file cannot carry).
INSERT INTO statement_texts(data_id, kind, text)
VALUES('DEMO2025', 0, '[Kessansho]' || char(13, 10) || 'Note=1' || char(13, 10) || 'Unit=0' || char(13, 10));

INSERT INTO statement_texts(data_id, kind, text)
WITH RECURSIVE section(i, text) AS (
  SELECT 0, '[Settings]' || char(13, 10) || 'InputMode=1' || char(13, 10)
  UNION ALL
  SELECT i + 1, text || printf('[Note_%02d]', i) || char(13, 10)
                     || 'Disp=' || (CASE WHEN i IN (1, 2, 10, 16, 32) THEN 1 ELSE 0 END) || char(13, 10)
  FROM section WHERE i < 34)
SELECT 'DEMO2025', 100, text FROM section WHERE i = 34;

-- Kind 1000: the note texts, five lines of head per note (id, title, kind, display mark, value start),
-- then its text lines, with the XML entities escaped.
INSERT INTO statement_texts(data_id, kind, text) VALUES('DEMO2025', 1000, replace(
'<ID>1010010</ID>
<Title>重要な会計方針に係る事項に関する注記</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>この計算書類は、「中小企業の会計に関する指針」によって作成しています。</Line>
</Value>
<ID>1010020</ID>
<Title>資産の評価基準及び評価方法</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
</Value>
<ID>1010030</ID>
<Title>有価証券の評価基準及び評価方法</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>その他有価証券で時価のあるもの：決算日の市場価格等に基づく時価法</Line>
<Line>（評価差額は全部純資産直入法により処理し、売却原価は移動平均法により算定）</Line>
</Value>
<ID>1010040</ID>
<Title>棚卸資産の評価基準及び評価方法</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>製品・原材料・仕掛品：総平均法による原価法</Line>
</Value>
<ID>1010050</ID>
<Title>固定資産の減価償却の方法</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>有形固定資産：定率法（建物&amp;建物附属設備は定額法）</Line>
<Line>無形固定資産：定額法（自社利用のソフトウェアは社内における利用可能期間5年）</Line>
</Value>
<ID>1010060</ID>
<Title>引当金の計上基準</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>貸倒引当金：債権の貸倒れによる損失に備えるため、法人税法の規定による法定繰入率により計上しています。</Line>
<Line>退職給付引当金：従業員の退職給付に備えるため、期末自己都合要支給額を計上しています。</Line>
</Value>
<ID>1010070</ID>
<Title>収益及び費用の計上基準</Title>
<Kind>0</Kind>
<Disp>0</Disp>
<Value>
<Line>製品の販売は出荷基準によっています。</Line>
</Value>
<ID>1010080</ID>
<Title>その他計算書類作成のための基本となる重要な事項</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>消費税等の会計処理は、税抜方式によっています。</Line>
</Value>
<ID>1060010</ID>
<Title>貸借対照表に関する注記</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
</Value>
<ID>1060020</ID>
<Title>担保に供している資産</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>建物 8,000,000円、土地 10,000,000円（長期借入金 10,770,000円の担保）</Line>
</Value>
<ID>1060060</ID>
<Title>有形固定資産の減価償却累計額</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>6,800,000円</Line>
</Value>
<ID>1170010</ID>
<Title>その他の注記</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>当社は、2025年10月に本社工場の設備更新を行いました。</Line>
</Value>
<ID>1170020</ID>
<Title>項目名</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>研究開発費&amp;試験研究費</Line>
</Value>
<ID>1170030</ID>
<Title>内容</Title>
<Kind>0</Kind>
<Disp>1</Disp>
<Value>
<Line>一般管理費に含まれる研究開発費は 120,000円です。&lt;参考&gt;</Line>
</Value>
', char(10), char(13, 10)));

COMMIT;
