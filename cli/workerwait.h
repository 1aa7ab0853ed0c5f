#ifndef NORVO_WORKERWAIT_H
#define NORVO_WORKERWAIT_H

#include <functional>

class QThread;

// Starts a worker through start and runs the event loop until it has
// finished and every signal it sent has been delivered. The worker's own link
// timeouts bound the wait; a worker that did not start returns at once.
void runWorker(QThread &worker, const std::function<void()> &start);

#endif
