// The POSIX block writer when the system cuts a write short: a signal that reaches a program
// waiting for room in a full pipe (a job stopped and continued, say) ends its write after what
// fitted, and the rest must follow.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/time.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <string_view>

#include "platform/platform.h"

static int read_end;  // the pipe's, emptied into got by a timer's signal
static char got[1 << 18];
static size_t got_size = 0;

static void drain(int) {
  for (ssize_t n; (n = read(read_end, got + got_size, sizeof got - got_size)) > 0;)
    got_size += static_cast<size_t>(n);
}

TEST(WriteBlock, GoesOnAfterAShortWrite) {
  int fds[2];
  ASSERT_EQ(0, pipe(fds));
  read_end = fds[0];
  fcntl(read_end, F_SETFL, O_NONBLOCK);
  fcntl(read_end, F_SETPIPE_SZ, 4096);  // a page, a small part of what is written
  std::string data(sizeof got, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i % 251);
  // The writer waits for room in the full pipe until the next tick empties it.
  std::signal(SIGALRM, drain);
  const itimerval tick{{0, 1000}, {0, 1000}}, stop{};
  setitimer(ITIMER_REAL, &tick, nullptr);
  EXPECT_EQ(0, platform::write_block(fdopen(fds[1], "w"), data.data(), data.size()));
  setitimer(ITIMER_REAL, &stop, nullptr);
  drain(0);
  EXPECT_TRUE(std::string_view(got, got_size) == data);
}
