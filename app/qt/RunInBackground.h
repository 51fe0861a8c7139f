#pragma once
// Runs a computation on Qt's thread pool and answers its future, for a QFutureWatcher on the
// user-interface thread to pick up. The callable must own everything it reads (copies or
// shared_ptr<const>): nothing it touches may change while it runs.

#include <QFuture>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <utility>

namespace plumex {

template <class Result, class F> QFuture<Result> runInBackground(F compute) {
    // The pool wants a copyable task; the promise is shared between the task and nobody else.
    auto promise = std::make_shared<QPromise<Result>>();
    QFuture<Result> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, compute = std::move(compute)]() mutable {
        // A newer request cancelled this one while it waited for a thread.
        if (!promise->isCanceled()) promise->addResult(compute());
        promise->finish();
    });
    return future;
}

} // namespace plumex
