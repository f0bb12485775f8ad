// The document in progress on a device (interim: the capture lands with the page model).
#pragma once

class PrintJob
{
};
