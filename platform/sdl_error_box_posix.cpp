#include "platform/sdl_error_box.h"

#include <SDL2/SDL.h>
#include <pthread.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cstdio>

namespace kv {
namespace {

// What a signal handler may look at must be static: these three are the only state here.
volatile sig_atomic_t box_up = 0;
struct sigaction previous_int {};
struct sigaction previous_term {};

void OnSignal(int signal) {
  if (box_up != 0) _exit(1);
  const struct sigaction& previous = signal == SIGINT ? previous_int : previous_term;
  if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN &&
      (previous.sa_flags & SA_SIGINFO) == 0) {
    previous.sa_handler(signal);
    return;
  }
  ::signal(signal, SIG_DFL);
  raise(signal);
}

pid_t parent_at_fork = 0;

void BeforeFork() {
  parent_at_fork = getpid();
}

// SDL draws its box in a child process; it must not outlive the game.
void InForkedChild() {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent_at_fork) _exit(1);
}

}  // namespace

void InstallSignalHandlers() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previous_int);
  sigaction(SIGTERM, &action, &previous_term);
  pthread_atfork(BeforeFork, nullptr, InForkedChild);
}

void ShowModalErrorBox(SDL_Window* parent, const std::string& title, const std::string& text) {
  // A close asked for before the box came up would wait behind it: end without the box.
  SDL_PumpEvents();
  if (SDL_HasEvent(SDL_QUIT)) return;
  box_up = 1;
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), parent);
  box_up = 0;
}

}  // namespace kv
