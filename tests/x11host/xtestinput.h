#pragma once

struct _XDisplay;

namespace qz::x11host {

/**
 * Input as a user makes it, injected through the X server's XTest extension on a connection of
 * its own: the server routes it to whatever window is under the pointer, exactly as for real
 * hardware. Every call returns once the server has processed it.
 */
class XTestInput
{
public:
    enum class Key
    {
        shift,
        control,
        alt
    };

    XTestInput();
    ~XTestInput();
    XTestInput(const XTestInput&) = delete;
    XTestInput& operator=(const XTestInput&) = delete;

    /** Moves the pointer to a point of the screen. */
    void moveTo(int rootX, int rootY);
    /** Presses or releases a pointer button (1 left, 2 middle, 3 right, 4 and 5 the wheel). */
    void press(unsigned button);
    void release(unsigned button);
    void keyDown(Key key);
    void keyUp(Key key);

private:
    void sync();

    _XDisplay* display = nullptr;
};

} // namespace qz::x11host
