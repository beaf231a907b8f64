#pragma once
// The texts of sitekit's own messages (the readers' texts come with their
// errors).  Kept in one place so that the tests can hold every one of them
// word for word.
#include <cstddef>
#include <string>

namespace sitekit::cli::msg {

std::string too_few_samples(std::size_t n);
std::string too_many_samples(std::size_t n);
std::string time_step_not_positive(double t0, double t1);
std::string cannot_copy(const std::string& why);
std::string cannot_write(const std::string& why);
std::string cannot_create(const std::string& why);
std::string cannot_publish(const std::string& why);
std::string cannot_start(const std::string& why);
// The first line of the dialogue's diagnostic, its channel names turned back
// into the user's files; or the signal that ended it.
std::string computation_stopped(const std::string& child_stderr, int signal,
                                const std::string& record, const std::string& soil);
std::string result_missing(const std::string& name);
std::string no_records();
std::string same_folder(const std::string& folder, const std::string& other);
std::string no_soil();
std::string no_siteresp();
std::string interrupted();

}  // namespace sitekit::cli::msg
