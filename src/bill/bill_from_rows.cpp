#include <memory>

#include "bill/bill_output.h"
#include "bill/bill_rows_file.h"
#include "core/codepage.h"
#include "core/files.h"
#include "core/text.h"
#include "host/document.h"

namespace bill {

namespace {

// The index (0-based) of the column named or numbered (1-based) so, or -1.
int findColumn(const Zrk_StringArray& columns, const Zrk_String& column) {
    const int byName = findString(columns, trimmed(column), true);
    if (byName >= 0) return byName;
    const Zrk_String text = trimmed(column);
    if (text.empty() || text.find_first_not_of("0123456789") != Zrk_String::npos || text.size() > 6) return -1;
    const int number = std::stoi(text);
    return number >= 1 && number <= columns.length() ? number - 1 : -1;
}

// A drawing and a transaction for the image maker while the bill is fed; an empty drawing when the
// host has none open, closed again afterwards.
class FeedTransaction {
public:
    FeedTransaction() : document_(host::Document::current()) {
        Zrk_String message;
        if (!document_.isOpen()) created_ = document_.create("bill pictures", message);
        transaction_ = document_.transactionManager().startTransaction();
    }
    ~FeedTransaction() {
        if (transaction_) document_.transactionManager().endTransaction();
        if (created_) document_.close();
    }
    AcTransaction* transaction() const { return transaction_; }

private:
    host::Document& document_;
    bool created_ = false;
    AcTransaction* transaction_ = nullptr;
};

} // namespace

bool writeBillFromRows(const BillRequest& request, std::string& summary, std::string& message) {
    std::string bytes;
    Zrk_String unreadable;
    if (!readFileBytes(core::fromUtf8(request.rowsFile), bytes, &unreadable)) {
        message = core::toUtf8(unreadable);
        return false;
    }
    BillRows rows;
    Zrk_String fault;
    if (!parseBillRows(bytes, core::fromUtf8(request.rowsFile), rows, fault)) {
        message = core::toUtf8(fault);
        return false;
    }
    for (const std::string& variable : request.variables) {
        Zrk_String name, value;
        if (!splitString(core::fromUtf8(variable), "=", name, value) || trimmed(name).empty()) {
            message = "expected a variable as NAME=VALUE, found \"" + variable + "\"";
            return false;
        }
        rows.variableNames.append(trimmed(name));
        rows.variableValues.append(value);
    }
    Zrk_Bill bill;
    bill.columnNames = rows.columnNames;
    if (!request.titleColumn.empty()) {
        bill.sectionColumn = findColumn(rows.columnNames, core::fromUtf8(request.titleColumn));
        if (bill.sectionColumn < 0) {
            message = "the rows file has no column \"" + request.titleColumn + "\"";
            return false;
        }
    }

    KvSSBillOutput output;
    const Acad::ErrorStatus started =
        output.init(core::fromUtf8(request.billFile), rows.columnNames, Zrk_Array<int>(), rows.columnKinds,
                    core::fromUtf8(request.settingsName), rows.variableNames, rows.variableValues);
    if (started != Acad::eOk) {
        message = std::string("the bill's sheet could not be made (") + host::statusName(started) + ")";
        return false;
    }
    std::unique_ptr<FeedTransaction> feed;
    if (bill.sectionColumn >= 0) feed = std::make_unique<FeedTransaction>();
    output.setVars(-1, 0, 0, true, true, feed ? &bill : nullptr, feed ? feed->transaction() : nullptr);

    int subtotals = 0;
    output.onStartFeed();
    std::size_t done = 0;
    for (const BillRows::Row& row : rows.rows) {
        if (request.progress) request.progress(done++, rows.rows.size());
        if (row.subtotal) {
            output.onAddSubTotals(row.strings, Zrk_StringArray(), false, 0);
            ++subtotals;
        } else {
            output.onAddRow(row.strings);
        }
    }
    const Acad::ErrorStatus ended = output.onEndFeed();
    if (ended != Acad::eOk) {
        message = std::string("the bill was not written (") + host::statusName(ended) + ")";
        return false;
    }
    summary = "Wrote " + std::to_string(rows.rows.size() - static_cast<std::size_t>(subtotals)) + " rows and " +
              std::to_string(subtotals) + " subtotals (" + std::to_string(output.lastRow()) + " sheet rows) to " +
              request.billFile + ".";
    return true;
}

} // namespace bill
