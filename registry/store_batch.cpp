// Write transactions and batches of them.
#include "registry/store_impl.h"

namespace registry {

using namespace store;

// The start of a write: a transaction of its own, or inside a batch a savepoint of
// the batch's transaction (which begins at the batch's first write). Anything but
// ERROR_SUCCESS means the write does not happen.
LONG SqliteStore::Impl::beginWrite() {
    if (broken) return ERROR_BADDB;
    if (readOnly) return ERROR_ACCESS_DENIED;
    if (batchDepth == 0) {
        if (int rc = exec(kBegin); rc != SQLITE_OK) return status(rc);
        return ERROR_SUCCESS;
    }
    if (batchLost != ERROR_SUCCESS) return batchLost;
    if (!batchBegun) {
        if (int rc = exec(kBegin); rc != SQLITE_OK) return batchLost = status(rc);
        batchBegun = true;
    }
    if (int rc = exec(kSavepoint); rc != SQLITE_OK) return loseBatch(status(rc));
    return ERROR_SUCCESS;
}

// The end of a write begun by beginWrite(): kept when `result` is ERROR_SUCCESS,
// else undone. Gives what became of the write.
LONG SqliteStore::Impl::endWrite(LONG result) {
    if (batchDepth == 0) {
        if (result == ERROR_SUCCESS)
            if (int rc = exec(kCommit); rc != SQLITE_OK) result = status(rc);
        if (result != ERROR_SUCCESS && !sqlite3_get_autocommit(db)) exec(kRollback);
        return result;
    }
    if (result == ERROR_SUCCESS) {
        if (int rc = exec(kRelease); rc != SQLITE_OK) return loseBatch(status(rc));
    } else if (!sqlite3_get_autocommit(db)) {
        exec(kRollbackToSavepoint);
        exec(kRelease);
    }
    // Some failures (a full disk, an I/O error) end the whole transaction.
    if (sqlite3_get_autocommit(db)) return loseBatch(result != ERROR_SUCCESS ? result : ERROR_WRITE_FAULT);
    return result;
}

// Undoes the batch's writes; it stays open (and refuses writes) until it ends.
LONG SqliteStore::Impl::loseBatch(LONG why) {
    if (!sqlite3_get_autocommit(db)) exec(kRollback);
    batchBegun = false;
    return batchLost = why;
}

LONG SqliteStore::Impl::commitBatch() {
    if (batchDepth == 0) return ERROR_INVALID_PARAMETER;
    if (--batchDepth > 0) return batchLost;
    LONG result = batchLost;
    if (batchBegun && result == ERROR_SUCCESS) {
        if (int rc = exec(kCommit); rc != SQLITE_OK) result = status(rc);
        if (!sqlite3_get_autocommit(db)) exec(kRollback);
    }
    batchBegun = false;
    batchLost = ERROR_SUCCESS;
    return result;
}

void SqliteStore::Impl::abandonBatch() {
    if (batchDepth == 0) return;
    // An inner batch given up takes the outer one with it: it cannot be kept whole.
    loseBatch(ERROR_WRITE_FAULT);
    if (--batchDepth == 0) batchLost = ERROR_SUCCESS;
}

LONG SqliteStore::beginBatch() {
    if (impl_->broken) return ERROR_BADDB;
    ++impl_->batchDepth;
    return ERROR_SUCCESS;
}

LONG SqliteStore::commitBatch() { return impl_->commitBatch(); }

void SqliteStore::abandonBatch() { impl_->abandonBatch(); }

}  // namespace registry
