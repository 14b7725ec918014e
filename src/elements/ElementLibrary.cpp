#include "ElementLibrary.h"

#include "base/ElementRegistry.h"

#include "ActionImage.h"
#include "ActionLabel.h"
#include "ActionPanel.h"
#include "Arrow.h"
#include "Barrel.h"
#include "ConusBox.h"
#include "Image.h"
#include "Label.h"
#include "OutField.h"
#include "Pandus.h"
#include "Panel.h"
#include "Poligon.h"
#include "PullOut.h"
#include "Pump.h"
#include "ShlamBox.h"
#include "Skat.h"
#include "Transporter.h"
#include "Valve.h"
#include "WaterBox.h"
#include "WaterCircle.h"

void RegisterElementLibrary()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    Register<TWaterBox>();
    Register<TWaterCircle>();
    Register<TPandus>();
    Register<TTransporter>();
    Register<TArrow>();
    Register<TValve>();
    Register<TPullOut>();
    Register<TShlamBox>();
    Register<TBarrel>();
    Register<TOutField>();
    Register<TPump>();
    Register<TPoligon>();
    Register<TConusBox>();
    Register<TSkat>();
    Register<TPanel>();
    Register<TLabel>();
    Register<TImage>();
    Register<TActionPanel>();
    Register<TActionLabel>();
    Register<TActionImage>();
}
