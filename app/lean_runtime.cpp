// The pieces of the C++ runtime that Quilvex.exe links in place of the
// runtime's own. The program never throws: where the runtime would throw
// (an allocation that fails, a string grown past its limit) the process
// simply ends. Defining these here keeps the runtime's exception classes,
// their strings and the unwinder out of the program.
#include <windows.h>

#include <bits/functexcept.h>

#include <cstdlib>
#include <new>
#include <string>

// The string members the program calls, built here the way the program is
// built (no exceptions), in place of the runtime's prebuilt copies, which
// carry the exception machinery with them. The link keeps only those used.
template class std::basic_string<char>;

namespace {
// Ends at once and says nothing: the runtime's abort would first show its
// own English "Runtime Error!" box, and the restart question is the only
// message box the program has. The exit code names the usual cause.
[[noreturn]] void EndProcess()
{
    ExitProcess(ERROR_NOT_ENOUGH_MEMORY);
}
}  // namespace

void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size ? size : 1)) return block;
    EndProcess();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

// The registry helper asks for its value buffers this way and copes with a
// null answer itself.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}
void operator delete[](void* block) noexcept
{
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

namespace std {
void __throw_bad_exception()
{
    EndProcess();
}
void __throw_bad_alloc()
{
    EndProcess();
}
void __throw_bad_array_new_length()
{
    EndProcess();
}
void __throw_bad_cast()
{
    EndProcess();
}
void __throw_bad_typeid()
{
    EndProcess();
}
void __throw_logic_error(const char*)
{
    EndProcess();
}
void __throw_domain_error(const char*)
{
    EndProcess();
}
void __throw_invalid_argument(const char*)
{
    EndProcess();
}
void __throw_length_error(const char*)
{
    EndProcess();
}
void __throw_out_of_range(const char*)
{
    EndProcess();
}
void __throw_out_of_range_fmt(const char*, ...)
{
    EndProcess();
}
void __throw_runtime_error(const char*)
{
    EndProcess();
}
void __throw_range_error(const char*)
{
    EndProcess();
}
void __throw_overflow_error(const char*)
{
    EndProcess();
}
void __throw_underflow_error(const char*)
{
    EndProcess();
}
void __throw_ios_failure(const char*)
{
    EndProcess();
}
void __throw_ios_failure(const char*, int)
{
    EndProcess();
}
void __throw_system_error(int)
{
    EndProcess();
}
void __throw_future_error(int)
{
    EndProcess();
}
void __throw_bad_function_call()
{
    EndProcess();
}
}  // namespace std
