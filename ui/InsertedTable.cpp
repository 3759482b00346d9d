#include "ui/InsertedTable.h"

KvDbObjectId& LastInsertedTable()
{
    static KvDbObjectId idTable;
    return idTable;
}
