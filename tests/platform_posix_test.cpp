// The POSIX block writer when the system cuts a write short: a signal that reaches a program
// waiting for room in a full pipe (a job stopped and continued, say) ends its write after what
// fitted, and the rest must follow.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <thread>

#include "platform/platform.h"

TEST(WriteBlock, GoesOnAfterAShortWrite) {
  int fds[2];
  ASSERT_EQ(0, pipe(fds));
  std::signal(SIGUSR1, [](int) {});
  const int full = fcntl(fds[0], F_GETPIPE_SZ);
  std::string data(4 * static_cast<size_t>(full), '\0'), got;
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i % 251);
  std::thread reader([&, writer = pthread_self()] {
    // Once the pipe is full, the writer waits in write() for room.
    for (int queued = 0; ioctl(fds[0], FIONREAD, &queued) == 0 && queued < full;) sched_yield();
    pthread_kill(writer, SIGUSR1);
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) got.append(buffer, size_t(n));
  });
  FILE* stream = fdopen(fds[1], "w");
  EXPECT_EQ(0, platform::write_block(stream, data.data(), data.size()));
  std::fclose(stream);
  reader.join();
  close(fds[0]);
  EXPECT_TRUE(got == data);
}
