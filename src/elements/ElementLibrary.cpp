#include "ElementLibrary.h"

#include "base/ElementRegistry.h"

#include "ActionImage.h"
#include "ActionLabel.h"
#include "ActionPanel.h"
#include "AniTrans.h"
#include "Arrow.h"
#include "Barrel.h"
#include "BladeWheel.h"
#include "ColumnMixer.h"
#include "ConusBox.h"
#include "DensMeter.h"
#include "EBM.h"
#include "Fan.h"
#include "Flake.h"
#include "GFlake.h"
#include "Image.h"
#include "Label.h"
#include "Mixer.h"
#include "OutField.h"
#include "Pandus.h"
#include "Panel.h"
#include "Poligon.h"
#include "PullOut.h"
#include "Pump.h"
#include "Separator.h"
#include "ShlamBox.h"
#include "Skat.h"
#include "TermoScale.h"
#include "Transporter.h"
#include "Valve.h"
#include "WaterBox.h"
#include "WaterCircle.h"
#include "WaterMEO.h"

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
    Register<TBladeWheel>();
    Register<TMixer>();
    Register<TConusBox>();
    Register<TEBM>();
    Register<TFan>();
    Register<TSeparator>();
    Register<TSkat>();
    Register<TColumnMixer>();
    Register<TTermoScale>();
    Register<TDensMeter>();
    Register<TWaterMEO>();
    Register<TAniTrans>();
    Register<TFlake>();
    Register<TGFlake>();
    Register<TPanel>();
    Register<TLabel>();
    Register<TImage>();
    Register<TActionPanel>();
    Register<TActionLabel>();
    Register<TActionImage>();
}
