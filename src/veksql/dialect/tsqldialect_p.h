#ifndef TSQLDIALECT_P_H
#define TSQLDIALECT_P_H

#include <QHash>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class QSqlDatabase;
class TSqlQueryV2;

// A place where a statement writes a name as it stands, without quotes of its own.
enum class TSqlNameUse {
    Table,      // a table or a sequence, optionally after one schema
    Column,     // a column, optionally after its table and that table's schema
    SelectItem, // a column of a select list, or "*" alone or after a table
    GroupTerm,  // a column, or a position in the select list
    OrderTerm,  // a group term, optionally followed by ASC or DESC and NULLS FIRST or LAST
    Catalog,    // a table name that the driver puts into a literal of its own catalogue query
};

// A name that a statement will write as it stands, and what it is called in a refusal.
struct TSqlBareName
{
    QString name;
    TSqlNameUse use;
    QString role;
};

// One field map of a table structure, as the schema operations read it.
struct TSqlFieldDef
{
    explicit TSqlFieldDef(const QVariant &iField);
    bool isEmpty() const { return name.isEmpty() || type.isEmpty(); }

    QString name;
    QString type;       // upper-cased
    QString storedType; // as the map holds it
    int length = 0;
    bool notNull = false;
};

// The statements of one schema change and the way they have to run.
struct TSqlStatementBatch
{
    enum class Run {
        Single,     // the first statement, through execSql
        List,       // one at a time through execSql in one transaction level, rolled back at the first failure
        DirectList, // the same on one plain query: the driver takes no joined statements
    };

    QStringList statements;
    Run run = Run::Single;
    // Set: nothing runs and the operation fails with this field error.
    QString refusal;
};

// What a table creation gathers while the dialect walks the keys and columns.
struct TSqlCreatePlan
{
    QString table; // as given
    bool oldServer = false;
    // Declared types that replace the portable words of the named columns.
    QHash<QString, QString> nativeTypes;

    QStringList keyClauses;    // inside the table statement
    QStringList keyStatements; // after it
    QString primaryColumn;     // a single key column that carries the key in its definition
    bool primarySeen = false;
    QStringList definitions;
    QStringList statements;        // before the table statement
    QStringList serialColumns;     // numbered by statements after the table
    QList<TSqlBareName> bareNames; // checked before anything runs
};

/*
 * The questions that a database answers in its own way: type words,
 * constraints, catalog queries and how their rows read, whether a table is
 * altered in place or rebuilt, quoting and the connection probe. One object
 * per database, chosen once from the connection's driver name; the executor
 * keeps the order of the statements and the transactions around them.
 */
class TSqlDialect
{
public:
    // Where a column type is written: adding and altering spell a few words
    // differently from creating, and the migration differently again.
    enum class TypeUse { Create, AddField, AlterField, MigrateAlter, MigrateAdd };

    virtual ~TSqlDialect();

    // The dialect of a Qt driver name; nullptr for a driver none of them knows.
    static const TSqlDialect *forDriver(const QString &iDriverName);
    // The dialect under which statements write literals for a database type:
    // a driver name, or the type of a session mode (see sessionLiteralType).
    static const TSqlDialect *forLiteralType(const QString &iType);
    // The driver a connection or a statement is for when none is named.
    static QString defaultDriverName();

    virtual QString driverName() const = 0;

    // Connection and quoting.

    // The statement that tells whether an open connection still answers;
    // empty when there is nothing to ask.
    virtual QString probeSql() const = 0;
    virtual QString identifierQuote() const;
    // A name prepared to sit between identifier quotes, quote characters doubled.
    QString escapeName(const QString &iName) const;
    QString quoteName(const QString &iName) const;
    // The same with the quote given, for callers that have no dialect.
    static QString escapeName(const QString &iName, const QString &iQuote);
    static QString quoteName(const QString &iName, const QString &iQuote);
    // Whether iName may stand as it is where a statement writes it without
    // quotes: plain identifiers (a letter or "_", then letters, digits, "_"
    // or "$") or identifiers between this dialect's quotes (the quote doubled
    // inside), joined by dots as far as the place allows. Every name that
    // goes bare into a statement passes here first. Such places are checked
    // rather than quoted, as quotes would change how PostgreSQL folds the
    // case of a plain name.
    bool acceptsName(const QString &iName, TSqlNameUse iUse) const;
    static bool acceptsName(const QString &iName, TSqlNameUse iUse, const QString &iQuote);
    // Whether literals are written by a mode of the session, which only the
    // server can tell; sessionLiteralType() asks it.
    virtual bool literalsDependOnSession() const;
    virtual QString sessionLiteralType(const QSqlDatabase &iDatabase) const;

    // Connection parameters.

    // Whether the connection goes to a server, with a host and a login.
    virtual bool connectsToServer() const;
    // The database name that the driver is given for a database on a host.
    virtual QString connectionDatabaseName(const QString &iHost, const QString &iName) const;

    // Statement texts.

    // A string literal; by default only single quotes are doubled.
    virtual QString stringLiteral(const QString &iText) const;
    // The operator of a LIKE condition, spaces around it.
    virtual QString likeOperator() const;
    // A select with its order clause, limited to iLimit rows after skipping
    // iOffset (either not above 0: no bound).
    virtual QString pagedSelect(const QString &iSelect, const QString &iOrderClause, const QStringList &iOrderTerms,
                                int iLimit, int iOffset) const;
    // The LIMIT and OFFSET form of a paged select.
    static QString limitOffsetSelect(const QString &iSelect, int iLimit, int iOffset);

    // Row writes.

    // Whether a key column takes explicit values without being switched.
    virtual bool takesExplicitKeys() const;
    // The statement that lets explicit values into an identity column or
    // stops it; empty when the database has none.
    virtual QString identityInsertSql(const QString &iTable, const QString &iStatus) const;

    // The statement that reads the server's clock, the date and time or the date alone.
    virtual QString clockSql(bool iDateOnly) const = 0;

    // Column types.

    // The column type written for a portable type word. Words outside the
    // eight stand for themselves, except in a created table of the databases
    // other than PostgreSQL, which write no type for them.
    virtual QString typeText(const QString &iWord, int iLength, bool iOldServer, TypeUse iUse) const = 0;
    // Whether the server is of a version that some types are spelt
    // differently for; asking may run a statement.
    virtual bool isOldServer(TSqlQueryV2 &iQuery) const;

    // Table structure.

    // The portable structure of an existing table: its "field" and "index" lists.
    QVariantMap readStructure(TSqlQueryV2 &iQuery, const QString &iTable) const;
    // The catalog query whose rows name the table's constraints.
    virtual QString constraintSql(const QString &iTable) const;
    // Whether a constraint row names a unique constraint that a migration drops.
    virtual bool isUniqueConstraint(const QVariantMap &iRow) const;
    virtual QString constraintName(const QVariantMap &iRow) const;

    // Creation.

    virtual void addKey(TSqlCreatePlan &ioPlan, bool iPrimary, const QStringList &iColumns,
                        const QString &iQuotedColumns) const;
    // What follows a column's type in its definition; may replace the type.
    virtual QString columnFlags(TSqlCreatePlan &ioPlan, const QVariantMap &iEntry, const TSqlFieldDef &iField,
                                QString *ioType) const;
    virtual TSqlStatementBatch createStatements(const TSqlCreatePlan &iPlan) const;

    // Changes of an existing table.

    // Whether a table changes by a rebuild through a backup table instead
    // of statements that alter it in place.
    virtual bool rebuildsTables() const;
    // The declared type of every column, which a rebuild keeps for the
    // columns it does not redefine.
    virtual QHash<QString, QString> declaredTypes(TSqlQueryV2 &iQuery, const QString &iTable) const;
    // Around a rebuild: keeps other tables' keys, views and triggers naming
    // the table rather than its backup. True when endRebuild has to undo.
    virtual bool beginRebuild(TSqlQueryV2 &iQuery) const;
    virtual void endRebuild(TSqlQueryV2 &iQuery) const;
    // iDefinition: the quoted name, the type and the null flag.
    virtual TSqlStatementBatch addColumnStatements(const QString &iTable, const TSqlFieldDef &iField,
                                                   const QString &iDefinition) const;
    virtual TSqlStatementBatch alterColumnStatements(TSqlQueryV2 &iQuery, const QString &iTable,
                                                     const TSqlFieldDef &iField, const QString &iType) const;
    virtual QString renameTableSql(const QString &iFrom, const QString &iTo) const;
    virtual QString dropTableSql(const QString &iTable) const;
    virtual QString dropColumnSql(const QString &iTable, const QString &iColumn) const;

    // Migration in place.

    // The statements that bring the column iCurrent to iWanted.
    virtual QStringList migrateAlterStatements(const QString &iTable, const TSqlFieldDef &iWanted,
                                               const TSqlFieldDef &iCurrent, bool iOldServer) const;
    virtual QString migrateAddStatement(const QString &iTable, const TSqlFieldDef &iWanted, bool iOldServer) const;
    virtual QString dropUniqueSql(const QString &iTable, const QString &iName) const;
    virtual QString addUniqueSql(const QString &iTable, const QString &iQuotedColumns) const;
    // Whether every statement commits at once, so nothing before a failing
    // one could be undone.
    virtual bool commitsEachStatement() const;
    // Whether statement lists run on a plain query rather than through execSql.
    virtual bool runsStatementsDirectly() const;

    // Metadata rows come keyed by the server's own letter case of the column names.
    static QVariant rowValue(const QVariantMap &iRow, const QString &iName);
    static QString rowText(const QVariantMap &iRow, const QString &iName);
    static int rowInt(const QVariantMap &iRow, const QString &iName);
    // A name inside a single-quoted literal.
    static QString literalName(const QString &iName);

protected:
    TSqlDialect() = default;
    Q_DISABLE_COPY(TSqlDialect)

    // The row-number bounds of the paged forms that number the rows. A
    // negative offset (page 0) counts as none, as it does for LIMIT and OFFSET.
    static QString rowNumberBounds(int iOffset, int iLimit);

    // What the key pass of a structure read finds.
    struct TableKeys
    {
        QString keyColumn; // the column that a "SERIAL" stands for
        QVariantList indexes;
        QVariantList columnRows; // when the key pass has read the columns already
    };

    static QVariantList selectRows(TSqlQueryV2 &iQuery, const QString &iSql);
    static QVariantMap indexMap(const QString &iType, const QString &iFields);
    // The field map of a read column; an unknown type reads as "VARCHAR" of 255.
    static QVariantMap fieldMap(const QString &iName, const QString &iWord, int iLength, bool iNotNull);
    static QString lengthType(const QString &iWord, int iLength);
    // The length that a native type text declares, "VARCHAR(40)" giving 40; 0 when none.
    static int declaredLength(const QString &iUpperType);

    // The key pass: by default the constraint rows, grouped by name.
    virtual void readKeys(TSqlQueryV2 &iQuery, const QString &iTable, TableKeys &ioKeys) const;
    virtual bool constraintCounts(const QVariantMap &iRow) const;
    // "PRIMARY", "UNIQUE" or empty.
    virtual QString constraintKind(const QVariantMap &iRow) const;
    virtual QVariantList readColumnRows(TSqlQueryV2 &iQuery, const QString &iTable, const TableKeys &iKeys) const;
    virtual QString columnSql(const QString &iTable) const = 0;
    virtual QVariantMap fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const = 0;
    // Adds what the column's row does not tell.
    virtual void completeField(TSqlQueryV2 &iQuery, const QString &iTable, QVariantMap &ioField) const;
};

#endif // TSQLDIALECT_P_H
