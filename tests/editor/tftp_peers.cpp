// The TFTP test peers (scripted server, fake network) for the upload tests of the editor.
#include "../tftp/scripted_server.cpp"
