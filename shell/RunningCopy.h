#pragma once

#include <functional>
#include <string>

// One running copy of the program per user. The first start claims it and
// answers every later start; a later start asks the running copy to come forward and
// then ends, so that no reminder is announced twice.
class RunningCopy {
 public:
  enum class Start {
    Claimed,    // this process is the running copy: go on
    Answered,   // the running copy came forward: end at once
    Unguarded,  // no running copy could be claimed or reached: go on without one
  };

  virtual ~RunningCopy() = default;

  // Claims the running copy for this process or, when another process holds it, asks
  // that one to come forward.
  virtual Start ClaimOrCall() = 0;
  // What the running copy does when a later start asks it to come forward, with the
  // activation token that start's launcher gave it (empty without one).
  virtual void OnCalled(std::function<void(const std::string& activationToken)> comeForward) = 0;
  // Gives the claim up as the program ends, so that a start from then on runs itself
  // rather than call a copy that is going away.
  virtual void Release() = 0;
  // After an unguarded start: why no running copy could be claimed or reached.
  virtual std::string Why() const = 0;
};
