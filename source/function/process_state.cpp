#include "process_state.hpp"

#include <stdexcept>
#include <string>

namespace wl {

void* ProcessPart::make(const std::type_info& type, void* (*create)(), void (*destroy)(void*)) {
    if (owner_.ended_.load(std::memory_order_acquire)) {
        void* expected = nullptr;
        void* object = create();
        if (object_.compare_exchange_strong(expected, object, std::memory_order_acq_rel)) {
            type_ = &type;
            destroy_ = nullptr;  // never destroyed: the process is ending
            return object;
        }
        destroy(object);
        checkType(type);
        return expected;
    }
    std::lock_guard<std::recursive_mutex> lock(owner_.mutex_);
    if (void* object = object_.load(std::memory_order_acquire)) {
        checkType(type);
        return object;
    }
    void* object = create();
    type_ = &type;
    destroy_ = destroy;
    owner_.made_.push_back(this);
    object_.store(object, std::memory_order_release);
    return object;
}

void ProcessPart::checkType(const std::type_info& asked) const {
    if (type_ && *type_ != asked)
        throw std::logic_error(std::string("process state part asked as ") + asked.name() + ", made as " + type_->name());
}

void ProcessPart::reset() {
    void* object = object_.exchange(nullptr);
    if (object && destroy_) destroy_(object);
}

ProcessState::~ProcessState() {
    // Latest first: a part made while another was being made (which uses
    // it) outlives it.
    for (;;) {
        ProcessPart* part = nullptr;
        {
            std::lock_guard<std::recursive_mutex> lock(mutex_);
            if (made_.empty()) break;
            part = made_.back();
            made_.pop_back();
        }
        part->reset();
    }
    ended_.store(true, std::memory_order_release);
}

ProcessState& processState() {
    // The one static of the library: the owner of the process's state.
    static ProcessState state;
    return state;
}

}  // namespace wl
